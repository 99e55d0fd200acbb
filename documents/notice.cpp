#include "documents/notice.h"

#include "data/codec.h"
#include "data/editmask.h"
#include "data/moneytext.h"
#include "data/text.h"
#include "documents/texts.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QTextDocument>

#include <stdexcept>

namespace documents {

namespace {

const QString kPictureSuffix = QStringLiteral(";0; ");
const QLocale kBrazil(QLocale::Portuguese, QLocale::Brazil);

// One record set of the answer, its cells read by field name.
class Rows {
public:
    explicit Rows(const host::RecordSetTable& table) : m_table(table) {}
    size_t Count() const { return m_table.rows.size(); }
    QVariant Value(size_t row, const char* name) const {
        for (qsizetype i = 0; i < m_table.fields.size(); ++i)
            if (m_table.fields[i].name == QLatin1String(name))
                return m_table.rows.at(row).at(size_t(i));
        throw std::invalid_argument(std::string("notice answer without field ") + name);
    }
    QString Str(size_t row, const char* name) const { return Value(row, name).toString(); }
    QDate Date(size_t row, const char* name) const { return Value(row, name).toDate(); }
    double Number(size_t row, const char* name) const { return Value(row, name).toDouble(); }

private:
    const host::RecordSetTable& m_table;
};

QString TaxIdKind(const QString& personType) {
    return Text(personType.trimmed().toUpper() == QLatin1String("F") ? QStringLiteral("CPF")
                                                                     : QStringLiteral("CNPJ"));
}

QString TaxIdShown(const QString& digits, const QString& personType) {
    return host::FormatMaskText(host::PictPess(personType), digits.trimmed());
}

QString Pictured(const QString& value, const QString& picture) {
    return host::EmptyString(picture) ? value.trimmed()
                                      : host::FormatMaskText(picture + kPictureSuffix, value);
}

std::vector<Notice::Movement> Movements(const Rows& rows, bool settlements) {
    std::vector<Notice::Movement> movements;
    for (size_t r = 0; r < rows.Count(); ++r) {
        Notice::Movement m;
        m.receivable = rows.Str(r, "IDLADO") == QLatin1String("R");
        if (settlements) {
            m.document = rows.Str(r, "CDFILIAL") + QLatin1Char('/') + rows.Str(r, "NRBAIXA");
            m.type = rows.Str(r, "NMTPBAIXA");
            m.date = rows.Date(r, "DTBAIXA");
            m.value = rows.Number(r, "VRBAIXA");
            m.realised = rows.Str(r, "IDSITBAIXA") == QLatin1String("R");
        } else {
            m.document = rows.Str(r, "DOCUMENTO");
            m.type = rows.Str(r, "DSAJUSTE");
            m.date = rows.Date(r, "DTAJUSTE");
            m.value = rows.Number(r, "VRAJUSTE");
        }
        movements.push_back(m);
    }
    return movements;
}

QString Esc(const QString& text) {
    return text.toHtmlEscaped();
}
QString Money(double value) {
    return host::MoneyText(value, kBrazil);
}
QString DateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

// A table with black rules: the captions, then rows of escaped cells; numbers stand right.
QString HtmlTable(const QStringList& captions, const std::vector<QStringList>& rows,
                  const QList<int>& rightColumns, const QStringList& footer = {}) {
    QString html = QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" "
                                  "cellpadding=\"3\" style=\"border-collapse:collapse;"
                                  "border-color:#000\"><tr>");
    for (const QString& caption : captions)
        html += QStringLiteral("<th align=\"left\">%1</th>").arg(Esc(caption));
    html += QStringLiteral("</tr>");
    const auto row = [&](const QStringList& cells, bool bold) {
        html += QStringLiteral("<tr>");
        for (qsizetype c = 0; c < cells.size(); ++c)
            html += QStringLiteral("<td%1>%2%3%4</td>")
                        .arg(rightColumns.contains(int(c)) ? QStringLiteral(" align=\"right\"")
                                                           : QString(),
                             bold ? QStringLiteral("<b>") : QString(), Esc(cells[c]),
                             bold ? QStringLiteral("</b>") : QString());
        html += QStringLiteral("</tr>");
    };
    for (const QStringList& cells : rows)
        row(cells, false);
    if (!footer.isEmpty())
        row(footer, true);
    return html + QStringLiteral("</table>");
}

QString Heading(const QString& key) {
    return QStringLiteral("<h3>%1</h3>").arg(Esc(Text(key)));
}

QString Paragraph(const QString& text) {
    return QStringLiteral("<p align=\"justify\">%1</p>").arg(Esc(text));
}

QString Side(bool receivable) {
    return Text(receivable ? QStringLiteral("LADOREC") : QStringLiteral("LADOPAG"));
}

QString Signature(const Notice::Party& party) {
    return QStringLiteral("<td width=\"50%\" align=\"center\"><br><br><br>"
                          "______________________________________<br>%1<br>%2 %3</td>")
        .arg(Esc(party.name), Esc(party.taxIdKind), Esc(party.taxId));
}

} // namespace

Notice NoticeOf(const std::vector<host::RecordSetTable>& answer) {
    if (answer.size() != 4 || answer[0].rows.size() != 1)
        throw std::invalid_argument("notice answer is not four record sets with one compensation");
    const Rows head(answer[0]);
    Notice n;
    n.company = {head.Str(0, "NMEMPRESA"), TaxIdKind(QStringLiteral("J")),
                 TaxIdShown(head.Str(0, "NRINSJUREMPR"), QStringLiteral("J"))};
    const QString customerType = head.Str(0, "IDTPIJURCLIE");
    n.customer = {head.Str(0, "NMRAZSOCCLIE"), TaxIdKind(customerType),
                  TaxIdShown(head.Str(0, "NRINSJURCLIE"), customerType)};
    n.number = head.Str(0, "NRLANCCOMPREC");
    n.compensationDate = head.Date(0, "DTCOMPCONTREC");
    n.postingDate = head.Date(0, "DTLANCOMCONTREC");
    n.settlementDate = head.Date(0, "DTBAIXACOMPREC");
    n.operatorName = head.Str(0, "NMOPERADOR");
    n.payables = head.Str(0, "IDTPITUTLCOMREC") == QLatin1String("0");
    n.account = Text(QStringLiteral("CONTA"))
                    .arg(head.Str(0, "CDREDUCONT").trimmed(), head.Str(0, "NMBANCO"),
                         Pictured(head.Str(0, "CDAGENCIA"), head.Str(0, "CDPICTAGEN")),
                         Pictured(head.Str(0, "CDCONTCORR"), head.Str(0, "CDPICTCONT")));
    n.billDocument = head.Str(0, "DOCUMENTO");
    n.billInstalment = head.Str(0, "NRSEQVENREC") + QLatin1Char('/') + head.Str(0, "NRPARCELAREC");
    n.billDue = head.Date(0, "DTVENBOLREC");
    n.billValue = head.Number(0, "VRORIGREC");
    n.billOpen = head.Number(0, "VRSALDOBREC");
    n.total = head.Number(0, "VRTOTALCOMREC");
    const Rows items(answer[1]);
    for (size_t r = 0; r < items.Count(); ++r)
        n.items.push_back({items.Str(r, "DOCUMENTO"), items.Date(r, "DTVENCIMENTO"),
                           items.Str(r, "NMPARTE"),
                           TaxIdShown(items.Str(r, "NRINSJUR"), items.Str(r, "IDTPIJUR")),
                           items.Number(r, "VRITEMCOMPREC")});
    n.adjustments = Movements(Rows(answer[2]), false);
    n.settlements = Movements(Rows(answer[3]), true);
    return n;
}

QString NoticeHtml(const Notice& n, const QDate& issued) {
    QString html = QStringLiteral("<h2 align=\"center\">%1</h2><p align=\"center\">%2</p>")
                       .arg(Esc(Text(QStringLiteral("TITULO"))),
                            Esc(Text(QStringLiteral("NUMERO"))
                                    .arg(n.number, DateText(n.compensationDate),
                                         DateText(n.postingDate), n.operatorName)));
    html += Paragraph(Text(QStringLiteral("PARTES"))
                          .arg(n.company.name, n.company.taxIdKind, n.company.taxId,
                               n.customer.name, n.customer.taxIdKind, n.customer.taxId));
    html += Paragraph(Text(QStringLiteral("LEI")));

    html += Heading(QStringLiteral("CONTAREC"));
    html += HtmlTable({Text(QStringLiteral("DOCUMENTO")), Text(QStringLiteral("PARCELA")),
                       Text(QStringLiteral("VENCIMENTO")), Text(QStringLiteral("VALOR")),
                       Text(QStringLiteral("ABERTO"))},
                      {{n.billDocument, n.billInstalment, DateText(n.billDue), Money(n.billValue),
                        Money(n.billOpen)}},
                      {3, 4});

    html += Heading(n.payables ? QStringLiteral("ITENSPAG") : QStringLiteral("ITENSCRED"));
    if (!n.payables)
        html += Paragraph(n.account);
    std::vector<QStringList> items;
    for (const Notice::Item& item : n.items) {
        QString party = item.party;
        if (!item.taxId.isEmpty())
            party += QStringLiteral(" (%1)").arg(item.taxId);
        items.push_back({item.document, DateText(item.date), party, Money(item.value)});
    }
    html +=
        HtmlTable({Text(QStringLiteral("DOCUMENTO")),
                   Text(n.payables ? QStringLiteral("VENCIMENTO") : QStringLiteral("DATA")),
                   Text(n.payables ? QStringLiteral("FORNECEDOR") : QStringLiteral("DESCRICAO")),
                   Text(QStringLiteral("VALORCOMP"))},
                  items, {3}, {Text(QStringLiteral("TOTAL")), {}, {}, Money(n.total)});

    std::vector<QStringList> adjustments;
    for (const Notice::Movement& m : n.adjustments)
        adjustments.push_back(
            {Side(m.receivable), m.document, m.type, DateText(m.date), Money(m.value)});
    html += Heading(QStringLiteral("AJUSTES"));
    html += HtmlTable({Text(QStringLiteral("LADO")), Text(QStringLiteral("DOCUMENTO")),
                       Text(QStringLiteral("TIPO")), Text(QStringLiteral("DATA")),
                       Text(QStringLiteral("VALOR"))},
                      adjustments, {4});
    std::vector<QStringList> settlements;
    for (const Notice::Movement& m : n.settlements)
        settlements.push_back(
            {Side(m.receivable), m.document, m.type, DateText(m.date), Money(m.value),
             Text(m.realised ? QStringLiteral("REALIZADA") : QStringLiteral("PLANEJADA"))});
    html += Heading(QStringLiteral("BAIXAS"));
    html += HtmlTable({Text(QStringLiteral("LADO")), Text(QStringLiteral("BAIXA")),
                       Text(QStringLiteral("TIPO")), Text(QStringLiteral("DATA")),
                       Text(QStringLiteral("VALOR")), Text(QStringLiteral("SITUACAO"))},
                      settlements, {4});

    html += Paragraph(Text(QStringLiteral("RESUMO")).arg(Money(n.total), Money(n.billOpen)));
    html += Paragraph(Text(QStringLiteral("EMITIDO")).arg(DateText(issued)));
    html += QStringLiteral("<table width=\"100%\"><tr>%1%2</tr></table>")
                .arg(Signature(n.company), Signature(n.customer));
    return html;
}

void RenderNotice(QPagedPaintDevice& device, const Notice& notice, const QDate& issued) {
    // The text document keeps margins of 2 cm of its own inside the device's page.
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                     QPageLayout::Millimeter));
    QTextDocument document;
    document.setDefaultFont(DocumentFont(9));
    document.setHtml(NoticeHtml(notice, issued));
    document.print(&device);
}

} // namespace documents
