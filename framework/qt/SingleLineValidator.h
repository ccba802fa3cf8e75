// What a single-line edit control takes of pasted or dropped text: the text
// up to its first line break. The rest of the field stays as it was.
#pragma once

#include <QValidator>

class SingleLineValidator : public QValidator {
public:
    explicit SingleLineValidator(QObject* parent) : QValidator(parent) {}

    // Cuts what was just inserted at its first CR or LF; the field's text
    // before and after the insertion stays.
    State validate(QString& input, int& position) const override;

private:
    mutable QString m_accepted;  // the text as it stood before the change
};
