#pragma once

// The screen against a real application server over a demo company database, logged in as
// ADMIN with companies 01 to 03 and today as the processing date; look-ups read the database.

#include "tests/register/screenfixture.h"
#include "tests/support/booksserver.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

namespace register_testing {

class RealServerScreen : public ScreenDriver {
protected:
    RealServerScreen();
    ~RealServerScreen() override;

    // The demo database's file, for reading it and for what other operators do meanwhile.
    QString DatabaseFile() const;
    // What other operators and modules do meanwhile: a writing connection to the same file, and
    // one statement through it with its values bound (fails the test when it fails); gives the
    // rows it changed. Such writes may break the books on purpose: the server's stop then does
    // not check them.
    QSqlDatabase Writer();
    int Write(const QString& sql, const QVariantList& values);

    std::unique_ptr<testserver::BooksServer> server = testserver::BooksServer::Start();
};

} // namespace register_testing
