#pragma once

#include "host/widgets/field_link.h"

#include <QLabel>

namespace host {

// Label showing a field's display text for the current record. Text wider than the label is
// elided with "…" (never cut, which could read as another value) and shown whole as its tool
// tip.
class TDBText : public QLabel {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* dataSource) { m_link->SetDataSource(dataSource); }
    void SetDataField(const QString& name) { m_link->SetDataField(name); }

    // The text as the label draws it at its present width.
    QString ShownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Refresh();
    void UpdateToolTip();

    FieldLink* m_link;
};

} // namespace host
