#include "shell/logindialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <exception>

LoginDialog::LoginDialog(Authenticate authenticate, const QString& operador, QWidget* parent)
    : QDialog(parent), m_authenticate(std::move(authenticate)), m_operador(new QLineEdit(this)),
      m_password(new QLineEdit(this)), m_error(new QLabel(this)) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(tr("Entrar na Suite"));
    m_operador->setObjectName(QStringLiteral("edtOperador"));
    m_operador->setMaxLength(12);
    m_operador->setText(operador);
    m_password->setObjectName(QStringLiteral("edtSenha"));
    m_password->setEchoMode(QLineEdit::Password);
    m_error->setObjectName(QStringLiteral("lblErro"));
    m_error->setStyleSheet(QStringLiteral("color: #b00020"));
    m_error->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LoginDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LoginDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(tr("Operador"), m_operador);
    form->addRow(tr("Senha"), m_password);
    form->addRow(m_error);
    form->addRow(buttons);
    if (!operador.isEmpty())
        m_password->setFocus();
}

QString LoginDialog::Operador() const {
    return m_operador->text().trimmed();
}

void LoginDialog::accept() {
    try {
        m_token = m_authenticate(Operador(), m_password->text());
        QDialog::accept();
    } catch (const std::exception& error) {
        m_error->setText(QString::fromStdString(error.what()));
        m_password->clear();
        m_password->setFocus();
    }
}
