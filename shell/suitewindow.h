#pragma once

#include <QMainWindow>

#include <functional>

class QIcon;
class QMdiArea;

// The suite's own icon, for its windows and dialogs.
QIcon SuiteIcon();

// The suite's main window: a multiple-document area for the modules' screens and a menu that
// opens them.
class SuiteWindow : public QMainWindow {
    Q_OBJECT
public:
    using OpenModule = std::function<void(const QString& code)>;

    explicit SuiteWindow(OpenModule openModule, QWidget* parent = nullptr);

    QMdiArea* MdiArea() const { return m_area; }
    // Destroys every module screen (before the modules are unloaded).
    void CloseScreens();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiArea* m_area;
};
