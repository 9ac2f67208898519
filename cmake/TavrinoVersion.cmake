# TAVRINO_VERSION_TEXT: the release's version as the program shows it, a.bb.dddd, from the
# project version a.b.c.d (1.0.0.1 gives 1.00.0001); the Windows resources and the release
# files of both systems are named with it.
set(tavrinoMinor "0${PROJECT_VERSION_MINOR}")
string(LENGTH "${tavrinoMinor}" tavrinoLength)
math(EXPR tavrinoStart "${tavrinoLength} - 2")
string(SUBSTRING "${tavrinoMinor}" ${tavrinoStart} 2 tavrinoMinor)
set(tavrinoRevision "000${PROJECT_VERSION_TWEAK}")
string(LENGTH "${tavrinoRevision}" tavrinoLength)
math(EXPR tavrinoStart "${tavrinoLength} - 4")
string(SUBSTRING "${tavrinoRevision}" ${tavrinoStart} 4 tavrinoRevision)
set(TAVRINO_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${tavrinoMinor}.${tavrinoRevision}")
