#pragma once

#include "host/widgets/reaction.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace host {

// Enter and exit reactions of a container (panel, notebook): OnEnter when the focus moves from
// outside the container to a control inside it, OnExit when it moves from inside to outside.
// Both run after the focus has moved. Owned by the container; watches from its creation on.
class TFocusWatch : public QObject {
    Q_OBJECT
public:
    explicit TFocusWatch(QWidget* container);

    // The container's watch, made on first use.
    static TFocusWatch* Of(QWidget* container);

    Reaction OnEnter;
    Reaction OnExit;

private:
    void FocusMoved(QWidget*, QWidget* to);
    bool Inside(const QWidget* widget) const;

    QPointer<QWidget> m_container;
    bool m_inside = false;
};

} // namespace host
