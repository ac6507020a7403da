#pragma once

class QLineEdit;

// The size fields (the picture's and the sheet's width and height) show values the operator
// cannot type into. Qt tells a read-only line edit to assistive technology as editable all the
// same (both states, and the editing interface), so a screen reader announces a field that
// ignores every key. Line edits with these object names are told as read-only text instead.
void tellSizeFieldsAsReadOnly();
