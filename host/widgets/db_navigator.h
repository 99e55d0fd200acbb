#pragma once

#include <QPointer>
#include <QWidget>

class QToolButton;

namespace host {

class TDataSource;

// First / prior / next / last over a data source's record set; each button is enabled only
// where it can move, and none while the record set is editing.
class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDBNavigator(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* dataSource);

private:
    enum class Move { First, Prior, Next, Last };
    QToolButton* AddButton(const QString& name, const QString& textKey, Move move);
    void Go(Move move);
    void Refresh();

    QPointer<TDataSource> m_dataSource;
    QToolButton* m_first;
    QToolButton* m_prior;
    QToolButton* m_next;
    QToolButton* m_last;
};

} // namespace host
