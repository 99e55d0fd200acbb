#pragma once

#include "host/widgets/reaction.h"

#include <QToolButton>

namespace host {

// Flat tool button whose click is a detachable reaction.
class TButtonFlat : public QToolButton {
    Q_OBJECT
public:
    explicit TButtonFlat(QWidget* parent = nullptr);

    Reaction OnClick;
};

} // namespace host
