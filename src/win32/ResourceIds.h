/* Resource identifiers shared by the resource scripts and the C++ code. Plain macros, because the
   resource compiler reads this file too. */
#pragma once

/* The screensaver control panel lists the program under string 1. */
#define IDS_SCREENSAVER_NAME 1

#define IDI_TAVRINO 1

/* Pointers with images at 32, 48 and 64 pixels (100, 150 and 200 %): the clock window's arrow,
   the dialog's own pointer, the picture's pointer and the pointing hand over the dialog's
   buttons, boxes and slider. */
#define IDC_CLOCK_ARROW 101
#define IDC_DIALOG 102
#define IDC_PICTURE 103
#define IDC_POINTING_HAND 104
