#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <vector>

class QPagedPaintDevice;

namespace host {
struct RecordSetTable;
}

namespace documents {

// The notice a company sends its counterpart of what a compensation offset (Código Civil, arts.
// 368 to 380). Tax ids and the account are kept as shown, through their masks.
struct Notice {
    struct Party {
        QString name;
        QString taxIdKind; // "CNPJ" or "CPF"
        QString taxId;
    };
    struct Item {
        QString document;
        QDate date; // due date of a payable, date of a credit
        QString party;
        QString taxId; // a payable's supplier
        double value = 0;
    };
    struct Movement {
        bool receivable = true; // else the payables' side
        QString document;       // adjustment: the bill; settlement: branch and number
        QString type;
        QDate date;
        double value = 0;
        bool realised = false; // settlements only
    };

    Party company;
    Party customer;
    QString number;
    QDate compensationDate;
    QDate postingDate;
    QDate settlementDate;
    QString operatorName;
    bool payables = true; // else credits on a bank account
    QString account;      // the bank account the compensation names
    QString billDocument;
    QString billInstalment; // "account/instalment"
    QDate billDue;
    double billValue = 0;
    double billOpen = 0; // what the bill still has open
    std::vector<Item> items;
    std::vector<Movement> adjustments;
    std::vector<Movement> settlements;
    double total = 0;
};

// The notice from GetTermoCompensacao's four record sets; throws std::invalid_argument when the
// answer is not of that shape.
Notice NoticeOf(const std::vector<host::RecordSetTable>& answer);

// The notice on A4 pages of the device (a PDF writer or a printer), in black on white.
void RenderNotice(QPagedPaintDevice& device, const Notice& notice, const QDate& issued);
QString NoticeHtml(const Notice& notice, const QDate& issued);

} // namespace documents
