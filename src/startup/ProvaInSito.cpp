#include "startup/ProvaInSito.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

ProvaInSito::ProvaInSito(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ProvaInSito"));
    setWindowTitle(QStringLiteral("PROVA IN SITO"));
    setModal(false);
    auto* testo = new QLabel(
        QStringLiteral("Il datalogger sta eseguendo la prova in sito.\n\n"
                       "Controllare sul posto i sensori e le loro letture; "
                       "al termine della prova il datalogger torna al funzionamento normale."),
        this);
    testo->setWordWrap(true);
    auto* pulsanti = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(testo);
    layout->addWidget(pulsanti);
    resize(360, 160);
}
