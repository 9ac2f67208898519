#include "program/SettingsPicture.h"

#include "clockface/Tavrino.h"
#include "clockface/TimeOverride.h"

namespace tavrino {

void DrawSettingsPicture(Surface& surface) {
    TimeOverride time(TimeOverrideSetting{.start = LocalTime{10, 8, 42}});
    Tavrino face(time);
    face.InitClock(surface);  // selects the blue digits
    face.DrawClock(Redraw::Everything);
}

}  // namespace tavrino
