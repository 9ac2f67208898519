// A minimal JSON writer for the end-to-end tools: objects, arrays, strings and numbers, written
// compactly to one line so the harness can read each report with a plain JSON parser.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrino::e2e {

class JsonWriter {
  public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view text);
    JsonWriter& Int(std::int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& Text() const { return text_; }

  private:
    void Separate();

    std::string text_;
    bool needComma_ = false;
};

}  // namespace tavrino::e2e
