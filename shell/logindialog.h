#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

// Asks for operator and password until the server accepts them or the user gives up.
class LoginDialog : public QDialog {
    Q_OBJECT
public:
    // Gives the session token, or throws (std::exception) with the reason to show.
    using Authenticate = std::function<QString(const QString& operador, const QString& password)>;

    LoginDialog(Authenticate authenticate, const QString& operador, QWidget* parent = nullptr);

    QString Operador() const;
    QString Token() const { return m_token; }

    void accept() override;

private:
    Authenticate m_authenticate;
    QLineEdit* m_operador;
    QLineEdit* m_password;
    QLabel* m_error;
    QString m_token;
};
