#pragma once

// The data and weapon files keep texts between double quotes with nothing escaped, so a text
// can hold neither a double quote nor a line break. A box made file-safe ignores both when
// typed, and turns pasted or dropped ones into a single quote and a blank.

#include <QValidator>

class QLineEdit;

namespace kalverin {

class FileSafeText final : public QValidator {
  public:
    using QValidator::QValidator;

    // Rewrites the text in place; the result is always acceptable.
    State validate(QString& input, int& pos) const override;
};

// Gives the box a FileSafeText and makes it ignore a typed double quote.
void KeepTextFileSafe(QLineEdit* box);

}  // namespace kalverin
