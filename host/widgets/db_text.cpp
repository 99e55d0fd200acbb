#include "host/widgets/db_text.h"

#include <QPainter>
#include <QStyle>

namespace host {

TDBText::TDBText(QWidget* parent) : QLabel(parent), m_link(new FieldLink(this)) {
    connect(m_link, &FieldLink::refresh, this, &TDBText::Refresh);
}

void TDBText::Refresh() {
    const Field* field = m_link->GetField();
    setText(field ? field->DisplayText() : QString());
    UpdateToolTip();
}

QString TDBText::ShownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

// The label may shrink below its text: it elides then.
QSize TDBText::minimumSizeHint() const {
    const QSize full = QLabel::minimumSizeHint();
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")), full.height()};
}

void TDBText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                          ShownText(), foregroundRole());
}

void TDBText::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    UpdateToolTip();
}

void TDBText::UpdateToolTip() {
    setToolTip(ShownText() == text() ? QString() : text());
}

} // namespace host
