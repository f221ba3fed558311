#include "startup/AdattamentiForm1.h"

#include "common/FieldColours.h"
#include "config/StatoCasella.h"
#include "startup/ui_Form1.h"

#include <QSignalBlocker>

void AdattamentiForm1::modelloAnalogico(Ui::Form1& ui, const QString& titolo)
{
    ui.SSTab1->window()->setWindowTitle(titolo);
    ui.Acquisisci_Temp->hide();
    ui.Acquisisci->setText(QStringLiteral("Acquisisci dati Analogici"));
    ui.Frame2->show();
    ui.TipoF_0->hide();
    ui.TipoF_1->hide();
}

QString AdattamentiForm1::nomeFileProposto(const QString& identificativo, const QDate& oggi)
{
    // Fixed to day/month/year whatever the system's date form, so the names
    // sort the same on every PC.
    return identificativo + QLatin1Char('_') + oggi.toString(QStringLiteral("dd_MM_yy")) +
           QStringLiteral("_VW.txt");
}

void AdattamentiForm1::proponiNomeFile(Ui::Form1& ui, const QDate& oggi)
{
    FieldColours::setColour(ui.Nome_File_Dati, FieldColours::Confirmed);
    ui.Nome_File_Dati->setText(nomeFileProposto(ui.Nome_Centralina->text(), oggi));
}

void AdattamentiForm1::impostaInterruttore(QCheckBox* casella, const QString& risposta)
{
    const QSignalBlocker blocco(casella);
    StatoCasella::imposta(casella, risposta);
}
