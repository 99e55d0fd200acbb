#include "host/widgets/btn_pesquisa.h"

#include "host/services/abort.h"
#include "host/services/dialogs.h"
#include "host/widgets/data_source.h"

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

} // namespace host
