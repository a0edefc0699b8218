#pragma once

#include <QSpinBox>

// A spin box that takes any number typed into it and brings a value outside its range to the
// nearest bound when the text is interpreted (Enter, focus leaving, interpretText()).
// QSpinBox itself refuses the keystroke that crosses the maximum, so "900" in a field up to
// 600 would silently stay "90".
class BoundedSpinBox : public QSpinBox {
    Q_OBJECT

public:
    explicit BoundedSpinBox(QWidget* parent = nullptr);

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    // The digits of `input` without prefix, suffix and blanks; empty when it holds anything else.
    QString digitsOf(const QString& input) const;
};
