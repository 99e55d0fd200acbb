#pragma once

#include "host/widgets/reaction.h"

#include <QLineEdit>

namespace host {

// Plain edit whose change, enter and exit are detachable reactions.
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent = nullptr);

    Reaction OnChange; // the text changed (typing or a programmatic write)
    Reaction OnEnter;
    Reaction OnExit;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace host
