// Shared layout of the parameter dialogs, in dialog units: one row per
// parameter with its label on the left, OK and Cancel at the bottom right.
#pragma once

#define DLG_MARGIN 7
#define ROW_TOP(r) (DLG_MARGIN + (r) * 18)
#define LABEL_W 62
#define FIELD_X (DLG_MARGIN + LABEL_W + 4)

// A label and a right-aligned decimal edit on row r.
#define NUMBER_ROW(label, id, r, w) \
    LTEXT label, -1, DLG_MARGIN, ROW_TOP(r) + 3, LABEL_W, 8 \
    EDITTEXT id, FIELD_X, ROW_TOP(r), w, 14, ES_RIGHT | ES_AUTOHSCROLL

#define OK_CANCEL(w, h) \
    DEFPUSHBUTTON "OK", IDOK, (w) - 114, (h) - 21, 50, 14 \
    PUSHBUTTON "Cancel", IDCANCEL, (w) - 57, (h) - 21, 50, 14
