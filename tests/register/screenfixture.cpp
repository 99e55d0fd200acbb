#include "tests/register/screenfixture.h"

#include "data/recordset.h"
#include "host/services/formdata.h"
#include "host/sql/connection.h"
#include "host/widgets/button_flat.h"
#include "module/cli_rec18000.h"
#include "module/cli_rec18001.h"
#include "module/cli_rec18002.h"
#include "module/cli_rec18003.h"
#include "offset/filtrocntpagar.h"
#include "register/filtrocomprec.h"
#include "register/frmcompcontrec.h"
#include "settlement/filtrolanccred.h"
#include "tests/support/cells.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace register_testing {
namespace {

const QString kForm = QStringLiteral(":/rec18000/rec18000.form");

void Exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec(sql)) << sql.toStdString();
}

void CreateCompanyDatabase() {
    QSqlDatabase db =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), host::SharedConnectionName());
    db.setDatabaseName(QStringLiteral(":memory:"));
    ASSERT_TRUE(db.open());
    for (const char* sql :
         {"CREATE TABLE EMPRESA (CDEMPRESA VARCHAR(2) PRIMARY KEY, NMEMPRESA VARCHAR(40))",
          "INSERT INTO EMPRESA VALUES ('01', 'Comercial Um'), ('02', 'Comercial Dois')",
          "CREATE TABLE OPERADOR (CDOPERADOR VARCHAR(12) PRIMARY KEY, NMOPERADOR VARCHAR(40))",
          "INSERT INTO OPERADOR VALUES ('ADMIN', 'Administrador'), ('OPER', 'Operador')",
          "CREATE TABLE CLIENTE (CDCLIENTE VARCHAR(21) PRIMARY KEY, IDTPIJURCLIE VARCHAR(1),"
          " NRINSJURCLIE VARCHAR(20), NMFANTCLIE VARCHAR(50), NMRAZSOCCLIE VARCHAR(50))",
          "INSERT INTO CLIENTE VALUES ('C1', 'J', '12345678000199', 'Alfa', 'Alfa Ltda'),"
          " ('C2', 'F', '12345678901', 'Beto', 'Beto Silva')"})
        Exec(db, QString::fromUtf8(sql));
}

} // namespace

QVariant DateValue(int year, int month, int day) {
    return QDate(year, month, day).startOfDay();
}

host::RecordSetTable Table(const QString& recordSet, const std::vector<QVariantMap>& rows) {
    host::RecordSetTable table{host::FormData::Load(kForm).RecordSetFields(recordSet), {}};
    for (const QVariantMap& values : rows) {
        std::vector<QVariant> row;
        for (const host::FieldDef& field : table.fields)
            row.push_back(values.value(field.name));
        table.rows.push_back(std::move(row));
    }
    return table;
}

ScreenTest::ScreenTest()
    : listFields(host::FormData::Load(kForm).RecordSetFields("cdsCompensacao")) {
    CreateCompanyDatabase();
    session.dataProc.insert(session.filiProc, kProcessingDate);
    session.companies = {QStringLiteral("01")};
    session.webPort = server.Port();
    bill = Table(QStringLiteral("cdsBoletosRec"), {});
    items = Table(QStringLiteral("cdsBoletosPag"), {});

    server.On(QStringLiteral("GetCompensacao"),
              [this](const QJsonArray&) { return FakeServer::Result(ListJson()); });
    server.On(QStringLiteral("GetContaItensComp"), [this](const QJsonArray&) {
        return FakeServer::Result("[" + host::codec::Encode(bill) + "," +
                                  host::codec::Encode(items) + "]");
    });
    // Entering the items notebook lists the payables: no parameters, no payables.
    server.On(QStringLiteral("GetGeralPag"), [](const QJsonArray&) {
        host::RecordSetTable none;
        host::FieldDef code;
        code.name = QStringLiteral("CDGERALPAG");
        code.type = host::FieldType::String;
        code.size = 1;
        none.fields = {code};
        return FakeServer::Result(host::codec::Encode(none));
    });
    server.On(QStringLiteral("GetBoletosPag"), [](const QJsonArray&) {
        return FakeServer::Result(host::codec::Encode(Table(QStringLiteral("cdsBoletosPag"), {})));
    });
    server.On(QStringLiteral("SetExcluiCompensacao"), [this](const QJsonArray& params) {
        if (deleteAnswer == QStringLiteral("OK")) {
            const QJsonObject sent = params.at(0).toObject();
            const QJsonArray fields = sent.value(QStringLiteral("fields")).toArray();
            int at = -1;
            for (int i = 0; i < fields.size(); ++i)
                if (fields[i].toObject().value(QStringLiteral("name")).toString() ==
                    "NRLANCCOMPREC")
                    at = i;
            const QString number =
                sent.value(QStringLiteral("rows")).toArray().at(0).toArray().at(at).toString();
            const size_t column = testserver::Column(listFields, "NRLANCCOMPREC");
            std::erase_if(rows, [&](const auto& row) { return row[column] == number; });
        }
        return FakeServer::Text(deleteAnswer);
    });
}

ScreenTest::~ScreenTest() {
    CloseScreen();
    QSqlDatabase::database(host::SharedConnectionName(), false).close();
    QSqlDatabase::removeDatabase(host::SharedConnectionName());
}

ScreenDriver::~ScreenDriver() {
    CloseScreen();
}

void ScreenDriver::CloseScreen() {
    delete Cli_rec18001::frmFiltroCntPagar;
    delete Cli_rec18003::frmFiltroLancCred;
    delete Cli_rec18002::frmFiltroCompRec;
    delete Cli_rec18000::frmCompContRec;
    screen = nullptr;
}

void ScreenDriver::WithFilterDialog(const std::function<void(QDialog&)>& step) {
    dialogs.RunModal([step](QDialog& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        step(dialog);
        dialog.hide();
        return dialog.result();
    });
    Click("sbtFiltro");
}

void ScreenDriver::OpenScreen() {
    Cli_rec18000::criaCompContRec();
    screen = Cli_rec18000::frmCompContRec;
    ASSERT_NE(screen, nullptr);
    QApplication::setActiveWindow(screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
}

QWidget* ScreenDriver::Root() const {
    return screen;
}

void ScreenDriver::EnterCompanyPanel() {
    Find<QLineEdit>(QStringLiteral("edtCdEmpresa"))->setFocus();
}

void ScreenDriver::LeaveCompanyPanel() {
    Find<QWidget>(QStringLiteral("dbgPadrao"))->setFocus();
}

void ScreenDriver::ChooseCompany(const QString& typed) {
    auto* code = Find<QLineEdit>(QStringLiteral("edtCdEmpresa"));
    code->setFocus();
    code->selectAll();
    QTest::keyClick(code, Qt::Key_Delete);
    QTest::keyClicks(code, typed);
    LeaveCompanyPanel();
    // Nothing unexpected while the list loads.
    EXPECT_EQ(dialogs.Texts(host::testing::ShownDialog::Kind::ErrorBox), QStringList());
}

void ScreenDriver::Click(const QString& buttonName) {
    auto* button = Find<host::TButtonFlat>(buttonName);
    ASSERT_TRUE(button->isEnabled()) << buttonName.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

void ScreenDriver::ShowFormPage() {
    auto* pages = Find<QTabWidget>(QStringLiteral("pgcPadrao"));
    const int form = pages->indexOf(Find<QWidget>(QStringLiteral("tshFormulario")));
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(form).center());
    ASSERT_EQ(pages->currentIndex(), form);
}

bool ScreenDriver::Enabled(const QString& name) const {
    if (auto* widget = FindIn<QWidget>(name))
        return widget->isEnabled();
    if (auto* action = FindIn<QAction>(name))
        return action->isEnabled();
    ADD_FAILURE() << "no " << name.toStdString();
    return false;
}

QVariantMap ScreenTest::Compensation(const QString& number, const QString& status,
                                     const QString& kind) {
    return {{"DTCOMPCONTREC", DateValue(2026, 12, 7)},
            {"NMRAZSOCCLIE", "Alfa Ltda"},
            {"DTVENBOLREC", DateValue(2026, 12, 20)},
            {"DOCUMENTO", "NF " + number + "/1"},
            {"NRSEQVENREC", "01"},
            {"NRPARCELAREC", "01"},
            {"VRATUAREC", 1234.5},
            {"VRFINALBREC", 1000.0},
            {"QTITCOMCONTREC", 2.0},
            {"IDSTATREC", status},
            {"CDEMPRESA", "01"},
            {"NRLANCCOMPREC", number},
            {"CDFILIAL", "0001"},
            {"NRLANBOLREC", number},
            {"CDOPERLANCOMREC", "OPER"},
            {"CDCLIENTE", "C1"},
            {"CDTPBAIXAREC", "01"},
            {"CDTPBAIXAPAG", "02"},
            {"CDAJUCTPAG", "0002"},
            {"CDREDUCONT", "BB1"},
            {"DTBAIXACOMPREC", DateValue(2026, 12, 8)},
            {"IDTPITUTLCOMREC", kind},
            {"DTLANCOMCONTREC", DateValue(2026, 12, 7)},
            {"VRTOTALCOMREC", 750.25},
            {"NRINSJURCLIE", "12345678000199"},
            {"IDTPIJURCLIE", "J"},
            {"NMOPERADOR", "Operador"},
            {"CDBANCO", "001"},
            {"CDAGENCIA", "12345"},
            {"CDCONTCORR", "987654"},
            {"CDPICTAGEN", "9999-9"},
            {"CDPICTCONT", "99999-9"},
            {"DADOSCOMP", number},
            {"CDAJUCTREC", "0001"}};
}

void ScreenTest::AddCompensation(QVariantMap values) {
    std::vector<QVariant> row;
    for (const host::FieldDef& field : listFields)
        row.push_back(values.value(field.name));
    rows.push_back(std::move(row));
}

QByteArray ScreenTest::ListJson() const {
    return host::codec::Encode(host::RecordSetTable{listFields, rows});
}

host::RecordSet& ScreenDriver::List() const {
    return *screen->cdsCompensacao;
}

QString ScreenDriver::CurrentNumber() const {
    return List().FieldByName(QStringLiteral("NRLANCCOMPREC")).AsString();
}

} // namespace register_testing
