#pragma once

#include "host/widgets/button_flat.h"

#include <QPointer>

namespace host {

class RecordSet;
class TDataSource;

// Search button over a look-up: OnBeforePesq prepares (opens) the look-up, the operator picks a
// row in the search dialog (or is told EmptyError when there is none), and OnAfterPesq takes the
// chosen row. An abort in OnBeforePesq ends the search.
class TBtnPesquisa : public TButtonFlat {
    Q_OBJECT
public:
    explicit TBtnPesquisa(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* dataSource) { m_dataSource = dataSource; }
    TDataSource* DataSource() const { return m_dataSource; }
    void SetTitle(const QString& title) { m_title = title; }
    const QString& Title() const { return m_title; }
    void SetEmptyError(const QString& text) { m_emptyError = text; }
    const QString& EmptyError() const { return m_emptyError; }

    // Runs the search as a click does; true when a row was chosen.
    bool Pesquisa();

    Reaction OnBeforePesq;
    Reaction OnAfterPesq;

private:
    QPointer<TDataSource> m_dataSource;
    QString m_title;
    QString m_emptyError;
};

} // namespace host
