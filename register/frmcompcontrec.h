#pragma once

// The module's one screen. Its handlers are spread over the subsystem folders (register/,
// entry/, settlement/, offset/), one file per concern.

#include <QWidget>

#include <memory>

namespace host {
class TNetConnection;
}

namespace Ui {
class TfrmCompContRec;
}

class TfrmCompContRec : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCompContRec(QWidget* parent = nullptr);
    ~TfrmCompContRec() override;

    // Connection to the remote object that holds all business data; the filter dialogs call
    // the server through it too.
    host::TNetConnection* netCompContRec = nullptr;

protected:
    void FormCreate();
    void FormDestroy();

private:
    void netCompContRecBeforeConnect();

    std::unique_ptr<Ui::TfrmCompContRec> ui;
};
