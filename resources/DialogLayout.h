// Shared layout of the parameter dialogs, in dialog units: one row per
// parameter with its label on the left, OK and Cancel at the bottom right.
// A dialog with many rows or long labels redefines ROW_PITCH or LABEL_W
// around its template.
#pragma once

#define DLG_MARGIN 7
#define ROW_PITCH 18
#define LABEL_W 62
#define ROW_TOP(r) (DLG_MARGIN + (r) * ROW_PITCH)
#define FIELD_X (DLG_MARGIN + LABEL_W + 4)

#define ROW_LABEL(label, r) LTEXT label, -1, DLG_MARGIN, ROW_TOP(r) + 3, LABEL_W, 8

// A label and a right-aligned decimal edit on row r.
#define NUMBER_ROW(label, id, r, w) \
    ROW_LABEL(label, r) \
    EDITTEXT id, FIELD_X, ROW_TOP(r), w, 14, ES_RIGHT | ES_AUTOHSCROLL

// A label and a text edit on row r.
#define TEXT_ROW(label, id, r, w) \
    ROW_LABEL(label, r) \
    EDITTEXT id, FIELD_X, ROW_TOP(r), w, 14, ES_AUTOHSCROLL

// A label and a drop-down list on row r; style adds CBS_SORT for a sorted one.
#define LIST_ROW(label, id, r, w, style) \
    ROW_LABEL(label, r) \
    COMBOBOX id, FIELD_X, ROW_TOP(r), w, 80, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | style

#define OK_CANCEL(w, h) \
    DEFPUSHBUTTON "OK", IDOK, (w) - 114, (h) - 21, 50, 14 \
    PUSHBUTTON "Cancel", IDCANCEL, (w) - 57, (h) - 21, 50, 14
