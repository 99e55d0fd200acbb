// The documents of the screen: the notice of the current compensation, and the list shown
// (compensations, payables or credits) exported as CSV or PDF.

#include "register/frmcompcontrec.h"

#include "ui_frmcompcontrec.h"

#include "data/codec.h"
#include "data/recordset.h"
#include "documents/compensationlist.h"
#include "documents/csv.h"
#include "documents/notice.h"
#include "documents/tablepdf.h"
#include "host/net/netconnection.h"
#include "host/services/abort.h"
#include "host/services/dialogs.h"
#include "host/services/serveranswer.h"
#include "host/widgets/db_grid.h"
#include "module/cli_rec18002.h"
#include "register/filtrocomprec.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QToolBar>

namespace {

const QString kCsv = QStringLiteral(".csv");
const QString kPdf = QStringLiteral(".pdf");

// The grid's columns as shown: in their visual order, hidden ones and the mark column left out.
QList<documents::ColumnOf> ShownColumns(const host::TDBGrid& grid) {
    QList<documents::ColumnOf> columns;
    const QHeaderView& header = *grid.horizontalHeader();
    for (int visual = 0; visual < header.count(); ++visual) {
        const int column = header.logicalIndex(visual);
        if (header.isSectionHidden(column) || grid.IsMarkColumn(column))
            continue;
        columns.append({grid.ColumnField(column),
                        grid.model()->headerData(column, Qt::Horizontal).toString(),
                        header.sectionSize(column)});
    }
    return columns;
}

QString OrAll(const reg::AllOrList& list) {
    return list.Todos ? QString() : list.Lista;
}

} // namespace

void TfrmCompContRec::WireDocuments() {
    mnuImprimir->setShortcut(QKeySequence::Print);
    mnuImprimir->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(mnuImprimir);
    mnuExportaCsv = mnuRelatorios->addAction(msgPadrao.Msg(QStringLiteral("EXPCSV")));
    mnuExportaCsv->setObjectName(QStringLiteral("mnuExportaCsv"));
    mnuExportaPdf = mnuRelatorios->addAction(msgPadrao.Msg(QStringLiteral("EXPPDF")));
    mnuExportaPdf->setObjectName(QStringLiteral("mnuExportaPdf"));
    connect(mnuExportaCsv, &QAction::triggered, this,
            host::Guard([this] { ExportList(ListShown(), false); }));
    connect(mnuExportaPdf, &QAction::triggered, this,
            host::Guard([this] { ExportList(ListShown(), true); }));
    // Each list's context menu (a right click, or the menu key) exports that list.
    for (host::TDBGrid* grid : {dbgPadrao, ui->dbgConta, ui->dbgLancCCorr}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& at) {
            QMenu menu(grid);
            QAction* csv = menu.addAction(mnuExportaCsv->text());
            menu.addAction(mnuExportaPdf->text());
            if (QAction* chosen = menu.exec(grid->viewport()->mapToGlobal(at)))
                host::guarded([&] { ExportList(grid, chosen == csv); });
        });
    }
}

host::TDBGrid* TfrmCompContRec::ListShown() const {
    if (ActivePage() != tshFormulario)
        return dbgPadrao;
    return ItensMostrados() == Itens::Pagar ? ui->dbgConta : ui->dbgLancCCorr;
}

void TfrmCompContRec::ExportList(host::TDBGrid* grid, bool pdf) {
    host::RecordSet* rows = grid->DataSet();
    if (rows == nullptr || !rows->Active())
        return;
    documents::Table table = documents::TableOf(*rows, ShownColumns(*grid));
    const QString company = ui->edtCdEmpresa->text();
    const QDate today = QDate::currentDate();
    QString proposed;
    if (grid == dbgPadrao) {
        documents::ListFilter filter{.company = company};
        if (const TfrmFiltroCompRec* dialog = Cli_rec18002::frmFiltroCompRec) {
            const Cli_rec18002::TFILTRO& f = dialog->Filtro;
            filter = {company,
                      f.DtCompIni.date(),
                      f.DtCompFin.date(),
                      f.DtLancIni.date(),
                      f.DtLancFin.date(),
                      OrAll(f.OperLanc),
                      OrAll(f.Cliente)};
        }
        table.title = documents::ListTitle();
        table.filter = documents::FilterText(filter);
        proposed = documents::ProposedName(filter, today);
    } else {
        const QString kind =
            grid == ui->dbgConta ? QStringLiteral("PAGAR") : QStringLiteral("CRED");
        table.title = msgPadrao.Msg(QStringLiteral("TIT_") + kind);
        table.filter =
            msgPadrao.Msg(QStringLiteral("FILTRO_ITENS"))
                .arg(company, ui->dbeInsJurClie->text(),
                     cdsCompensacao->FieldByName(QStringLiteral("NMRAZSOCCLIE")).DisplayText());
        proposed = msgPadrao.Msg(QStringLiteral("ARQ_") + kind)
                       .arg(company, today.toString(QStringLiteral("yyyy-MM")));
    }
    const std::optional<QString> path = host::dialogs().SaveFileName(
        msgPadrao.Msg(pdf ? QStringLiteral("EXPPDF") : QStringLiteral("EXPCSV")),
        proposed + (pdf ? kPdf : kCsv),
        msgPadrao.Msg(pdf ? QStringLiteral("FILTROPDF") : QStringLiteral("FILTROCSV")));
    if (!path)
        return;

    // Big lists are written in chunks between which the screen repaints and the operator may
    // cancel; a cancelled or failed file is not left half written.
    QProgressDialog progress(msgPadrao.Msg(QStringLiteral("EXPORTANDO")),
                             msgPadrao.Msg(QStringLiteral("EXPCANCELA")), 0, int(table.rows.size()),
                             this);
    progress.setObjectName(QStringLiteral("dlgExportando"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const documents::Progress step = [&progress](qsizetype done, qsizetype) {
        progress.setValue(int(done));
        return !progress.wasCanceled();
    };
    bool written = false;
    if (pdf) {
        {
            QPdfWriter writer(*path);
            writer.setTitle(table.title);
            writer.setCreator(windowTitle());
            written = documents::RenderTable(writer, table, step);
        }
        if (!written)
            QFile::remove(*path);
    } else {
        QSaveFile file(*path);
        written = file.open(QIODevice::WriteOnly) && documents::WriteCsv(file, table, step) &&
                  file.commit();
    }
    progress.reset();
    if (!written && !progress.wasCanceled())
        host::MensErro(msgPadrao.Msg(QStringLiteral("EXPFALHA")).arg(*path));
}

void TfrmCompContRec::sbtImprimirClick() {
    if (!cdsCompensacao->Active() || cdsCompensacao->IsEmpty() || Editing())
        return;
    const host::NetAnswer answer = netCompContRec->Call(
        QStringLiteral("GetTermoCompensacao"),
        {cdsCompensacao->FieldByName(QStringLiteral("CDEMPRESA")).AsString(),
         cdsCompensacao->FieldByName(QStringLiteral("NRLANCCOMPREC")).AsString()});
    if (answer.Refused())
        host::CheckResultServ(
            host::ServerAnswer::Failure(answer.ErrorCode(), answer.ErrorMessage()));
    std::vector<host::RecordSetTable> tables;
    for (const host::NetAnswer& part : answer.Elements())
        tables.push_back(host::codec::Decode(part.Json()));
    const documents::Notice notice = documents::NoticeOf(tables);
    const QDate issued = QDate::currentDate();

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(msgPadrao.Msg(QStringLiteral("ARQ_TERMO")).arg(notice.number));
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("dlgTermo"));
    preview.setWindowTitle(msgPadrao.Msg(QStringLiteral("TERMO")).arg(notice.number));
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
            [&](QPrinter* device) { documents::RenderNotice(*device, notice, issued); });
    // Besides printing, the preview saves the notice as a PDF file.
    if (QToolBar* tools = preview.findChild<QToolBar*>()) {
        QAction* save = tools->addAction(msgPadrao.Msg(QStringLiteral("SALVARPDF")));
        save->setObjectName(QStringLiteral("actSalvarPdf"));
        connect(save, &QAction::triggered, &preview, host::Guard([&] {
                    const std::optional<QString> path = host::dialogs().SaveFileName(
                        msgPadrao.Msg(QStringLiteral("SALVARPDF")), printer.docName() + kPdf,
                        msgPadrao.Msg(QStringLiteral("FILTROPDF")));
                    if (!path)
                        return;
                    QPdfWriter writer(*path);
                    writer.setTitle(preview.windowTitle());
                    documents::RenderNotice(writer, notice, issued);
                }));
    }
    host::dialogs().ExecModal(preview);
}
