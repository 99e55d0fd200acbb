#include "shell/suitewindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace {

struct ModuleEntry {
    const char* code;
    const char* caption;
};

// The modules this suite offers.
constexpr ModuleEntry kModules[] = {
    {"REC18000", "REC18000 - Compensação de Contas a Receber"},
};

} // namespace

QIcon SuiteIcon() {
    return QIcon(QStringLiteral(":/shell/icons/suite.png"));
}

SuiteWindow::SuiteWindow(OpenModule openModule, QWidget* parent)
    : QMainWindow(parent), m_area(new QMdiArea(this)) {
    setObjectName(QStringLiteral("frmSuite"));
    const QString title = tr("Suite - Retaguarda");
    setWindowTitle(title);
    setWindowIcon(SuiteIcon());
    m_area->setObjectName(QStringLiteral("mdiSuite"));
    setCentralWidget(m_area);
    // The active screen's caption in the title, as desktops list windows by it.
    connect(m_area, &QMdiArea::subWindowActivated, this, [this, title](QMdiSubWindow* child) {
        setWindowTitle(child ? QStringLiteral("%1 - [%2]").arg(title, child->windowTitle())
                             : title);
    });

    QMenu* modules = menuBar()->addMenu(tr("Mó&dulos"));
    modules->setObjectName(QStringLiteral("mnuModulos"));
    for (const ModuleEntry& module : kModules) {
        QAction* action = modules->addAction(QString::fromUtf8(module.caption));
        const QString code = QString::fromLatin1(module.code);
        action->setObjectName(QStringLiteral("act") + code);
        connect(action, &QAction::triggered, this, [openModule, code] { openModule(code); });
    }
    modules->addSeparator();
    QAction* quit = modules->addAction(tr("Sai&r"), this, &QWidget::close);
    quit->setObjectName(QStringLiteral("actSair"));
}

// Each screen may refuse to close, e.g. to keep an entry under way; the suite then stays.
void SuiteWindow::closeEvent(QCloseEvent* event) {
    bool kept = false;
    for (QMdiSubWindow* child : m_area->subWindowList())
        kept = !child->close() || kept;
    if (kept)
        event->ignore();
    else
        QMainWindow::closeEvent(event);
}

void SuiteWindow::CloseScreens() {
    for (QMdiSubWindow* child : m_area->subWindowList())
        delete child;
}
