#include "host/widgets/btn_pesquisa.h"

#include "host/services/abort.h"
#include "host/services/dialogs.h"
#include "host/widgets/data_source.h"

#include <QKeyEvent>

namespace host {

TBtnPesquisa::TBtnPesquisa(QWidget* parent) : TButtonFlat(parent) {
    OnClick.Set([this] { Pesquisa(); });
}

bool TBtnPesquisa::Pesquisa() {
    bool chosen = false;
    guarded([this, &chosen] {
        OnBeforePesq.Call();
        RecordSet* lookup = m_dataSource ? m_dataSource->DataSet() : nullptr;
        if (!lookup)
            return;
        chosen = dialogs().Pesquisar(*lookup, m_title + QLatin1Char('|') + m_emptyError);
        if (chosen)
            OnAfterPesq.Call();
    });
    return chosen;
}

// The field is found once the window is whole.
void TBtnPesquisa::showEvent(QShowEvent* event) {
    TButtonFlat::showEvent(event);
    if (m_field || m_fieldName.isEmpty())
        return;
    m_field = window()->findChild<QWidget*>(m_fieldName);
    if (m_field)
        m_field->installEventFilter(this);
}

bool TBtnPesquisa::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2 &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && isEnabled()) {
        click();
        return true;
    }
    return TButtonFlat::eventFilter(watched, event);
}

} // namespace host
