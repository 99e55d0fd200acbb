#pragma once

// The compensation screen opened as the operator opens it, against a scripted server holding a
// list of compensations, with look-ups on an in-memory company database.

#include "data/codec.h"
#include "tests/register/fakeserver.h"
#include "tests/support/fakesession.h"
#include "tests/support/scripteddialogs.h"

#include <QDate>
#include <QVariantMap>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

class TfrmCompContRec;
class TfrmFiltroCompRec;
class QDialog;

namespace host {
class RecordSet;
}

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << texts.join(QStringLiteral(" | ")).toStdString();
}

namespace register_testing {

inline const QDate kProcessingDate{2026, 12, 7};

// Opens the screen as the operator does and drives its real widgets.
class ScreenDriver : public ::testing::Test {
protected:
    ~ScreenDriver() override;

    void OpenScreen();
    void CloseScreen();
    template <class T> T* Find(const QString& name) const {
        T* found = FindIn<T>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    template <class T> T* FindIn(const QString& name) const {
        QWidget* root = Root();
        if (!root)
            return nullptr;
        if (root->objectName() == name)
            return qobject_cast<T*>(root);
        return root->findChild<T*>(name);
    }
    QWidget* Root() const;

    // Types into the company code (replacing it) and moves the focus out of the company panel.
    void ChooseCompany(const QString& typed);
    void EnterCompanyPanel();
    void LeaveCompanyPanel();
    void Click(const QString& buttonName);
    // Clicks the form page's tab.
    void ShowFormPage();
    bool Enabled(const QString& name) const;
    // Opens the list filter with the filter button and runs the step on it, shown and active.
    void WithFilterDialog(const std::function<void(QDialog&)>& step);
    host::RecordSet& List() const;
    QString CurrentNumber() const;

    host::testing::FakeSession session;
    host::testing::ScriptedDialogs dialogs;
    TfrmCompContRec* screen = nullptr;
};

// The screen against a scripted server and an in-memory company database.
class ScreenTest : public ScreenDriver {
protected:
    ScreenTest();
    ~ScreenTest() override;

    // The server's list: compensation rows by field name.
    void AddCompensation(QVariantMap values);
    static QVariantMap Compensation(const QString& number, const QString& status = "P",
                                    const QString& kind = "0");
    QByteArray ListJson() const;
    // What GetContaItensComp answers: the bill and the items.
    host::RecordSetTable bill;
    host::RecordSetTable items;
    // What SetExcluiCompensacao answers; "OK" also removes the compensation from the list.
    QString deleteAnswer = QStringLiteral("OK");

    FakeServer server;
    std::vector<std::vector<QVariant>> rows;
    QList<host::FieldDef> listFields;
};

QVariant DateValue(int year, int month, int day);
host::RecordSetTable Table(const QString& recordSet, const std::vector<QVariantMap>& rows);

} // namespace register_testing
