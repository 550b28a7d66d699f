#pragma once
// A number field never keeps showing what was refused. When Enter is pressed
// or the field is left while its validator does not accept the input (a delay
// of 5 where 10 is the least), or when the value it finished with is refused
// by the rule behind it, the field shows the stored value again.

#include <functional>

class QLineEdit;

namespace FieldRevert {

// SHOWSTORED puts the stored value into EDIT. Connect EDIT's editingFinished
// to the rule first: the stored value is shown after the rule ran.
void install(QLineEdit *edit, std::function<void()> showStored);

// For a field whose value is read later (a dialog's OK): the stored value is
// the last one the program put into the field or the field finished with.
void keepLastAccepted(QLineEdit *edit);

} // namespace FieldRevert
