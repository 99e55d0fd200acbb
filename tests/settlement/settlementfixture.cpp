#include "tests/settlement/settlementfixture.h"

#include "host/sql/connection.h"
#include "module/cli_rec18003.h"
#include "settlement/filtrolanccred.h"

#include <QApplication>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace settlement_testing {

SettlementTest::SettlementTest() {
    QSqlDatabase db = QSqlDatabase::database(host::SharedConnectionName());
    for (const char* sql :
         {"CREATE TABLE TIPOBAIXAREC (CDTPBAIXAREC, NMTPBAIXAREC, IDBAIXAUTILR)",
          "INSERT INTO TIPOBAIXAREC VALUES ('01', 'Compensação entre contas', 'P'),"
          " ('02', 'Dinheiro', 'N')",
          "CREATE TABLE TIPOBAIXAPAG (CDTPBAIXAPAG, NMTPBAIXAPAG, IDBAIXAUTILP)",
          "INSERT INTO TIPOBAIXAPAG VALUES ('04', 'Encontro de contas', 'P'),"
          " ('02', 'Boleto', 'N')",
          "CREATE TABLE TIPOAJRECEBER (CDAJUCTREC, DSAJUCTREC, IDAJUCTREC, IDTPAJRECEBER)",
          "INSERT INTO TIPOAJRECEBER VALUES ('0007', 'Desconto por compensação', 'D', 'N'),"
          " ('0003', 'Juros de mora', 'A', 'N'), ('0004', 'Desconto financeiro', 'D', 'S')",
          "CREATE TABLE TIPOAJPAGAR (CDAJUCTPAG, DSAJUCTPAG, IDAJUCTPAG, IDTPAJPAGAR)",
          "INSERT INTO TIPOAJPAGAR VALUES ('0002', 'Abatimento negociado', 'D', 'N'),"
          " ('0003', 'Multa', 'A', 'N'), ('0004', 'Desconto financeiro', 'D', 'S')",
          "CREATE TABLE BANCO (CDBANCO, CDPICTAGEN, CDPICTCONT)",
          "INSERT INTO BANCO VALUES ('001', '9999-a', '99999999-a'), ('999', NULL, '')",
          "CREATE TABLE CONTCORR (CDEMPRESA, CDREDUCONT, CDBANCO, CDAGENCIA, CDCONTCORR,"
          " DSCONTCORR, CDCONTCTBL)",
          "INSERT INTO CONTCORR VALUES ('01', 'BB1', '001', '3456X', '12345678X', 'BB', ''),"
          " ('01', 'SEM', '999', '1234', '5678', 'Sem pictures', ''),"
          " ('02', 'BR1', '001', '1111', '2222', 'De outra empresa', '')",
          "CREATE TABLE TPCREDBANC (CDTPCREDBANC, DSTPCREDBANC)",
          "INSERT INTO TPCREDBANC VALUES ('01', 'Depósito'), ('02', 'TED recebida'), ('0003', "
          "'Cheque')"}) {
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(QString::fromUtf8(sql))) << sql;
    }
}

SettlementTest::~SettlementTest() {
    delete Cli_rec18003::frmFiltroLancCred;
}

void SettlementTest::BeginEntry() {
    OpenScreen();
    ChooseCompany("01");
    Click("sbtIncluir");
    ASSERT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
}

void SettlementTest::TypeAndLeave(const QString& edit, const QString& text) {
    auto* line = Find<QLineEdit>(edit);
    line->setFocus();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    line->home(false);
    QTest::keyClicks(line, text);
    QTest::keyClick(line, Qt::Key_Tab);
}

QString SettlementTest::Text(const QString& edit) const {
    return Find<QLineEdit>(edit)->text();
}

QString SettlementTest::Focused() const {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

} // namespace settlement_testing
