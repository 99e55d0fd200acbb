#include "module/cli_rec18000.h"

#include "host/app/mainwindow.h"
#include "host/forms/form_life.h"
#include "module/unitsteps.h"
#include "register/frmcompcontrec.h"

#include <QApplication>
#include <QObject>

namespace Cli_rec18000 {

TfrmCompContRec* frmCompContRec = nullptr;
bool boIdCriado = false;

namespace {

const Pkg_rec18000::UnitSteps steps([] { boIdCriado = false; }, nullptr);

// The wait cursor for the length of a scope, however it is left.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

void CreateScreen() {
    // Created through its life steps: FormCreate connects it to the application server.
    auto* screen = host::CreateForm<TfrmCompContRec>();
    // Closing the child window destroys the screen while the module stays loaded: the next
    // IniProc must then create a new one.
    QObject::connect(screen, &QObject::destroyed, [] {
        frmCompContRec = nullptr;
        boIdCriado = false;
    });
    frmCompContRec = screen;
    boIdCriado = true;
}

} // namespace

void criaCompContRec() {
    {
        const WaitCursor wait;
        if (!boIdCriado)
            CreateScreen();
    }
    host::ShowChild(frmCompContRec);
}

} // namespace Cli_rec18000
