#include "module/cli_rec18000.h"

#include "host/app/mainwindow.h"
#include "host/forms/form_life.h"
#include "host/net/netconnection.h"
#include "host/services/abort.h"
#include "host/services/waitcursor.h"
#include "module/unitsteps.h"
#include "register/frmcompcontrec.h"

#include <QObject>

#include <memory>

namespace Cli_rec18000 {

TfrmCompContRec* frmCompContRec = nullptr;
bool boIdCriado = false;

namespace {

const Pkg_rec18000::UnitSteps steps([] { boIdCriado = false; }, nullptr);

void CreateScreen() {
    std::unique_ptr<TfrmCompContRec> created(host::CreateForm<TfrmCompContRec>());
    // The base form reports a failure of the create step itself and carries on; a screen that
    // could not connect is not kept, and the next call tries again.
    if (!created->netCompContRec->Connected())
        host::Abort();
    TfrmCompContRec* screen = created.release();
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
        const host::WaitCursor wait;
        if (!boIdCriado)
            CreateScreen();
    }
    host::ShowChild(frmCompContRec);
}

} // namespace Cli_rec18000
