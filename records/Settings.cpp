#include "records/Settings.h"

#include "app/controls/ChoiceCombo.h"
#include "app/frmMain.h"
#include "records/core/SettingsFile.h"

#include <QMessageBox>
#include <QToolButton>

Settings::Settings(frmMain &form) : m_form(form) {}

bool Settings::LoadSettings(QString *error)
{
    SettingsFile::Values values;
    if (!SettingsFile::read(m_form.dataFile(SettingsFile::fileName()), &values, error))
        return false;
    DrillState &st = m_form.state;
    st.intMonsu = values.monsu;
    st.intJikan = values.jikan;
    st.intAs = values.as;
    m_form.chkAs->setChecked(st.intAs == 1);
    return true;
}

void Settings::FillMonsuList()
{
    for (int n = SettingsFile::minMonsu; n <= SettingsFile::maxMonsu; ++n)
        m_form.cboMonsu->addItem(QString::number(n));
    m_form.cboMonsu->showValue(QString::number(m_form.state.intMonsu));
}

void Settings::FillJikanList()
{
    for (int n = SettingsFile::minJikan; n <= SettingsFile::maxJikan; ++n)
        m_form.cboJikan->addItem(QString::number(n));
    m_form.cboJikan->showValue(QString::number(m_form.state.intJikan));
}

void Settings::StoreSettings()
{
    const DrillState &st = m_form.state;
    QString error;
    if (!SettingsFile::write(m_form.dataFile(SettingsFile::fileName()),
                             {st.intMonsu, st.intJikan, st.intAs}, &error)) {
        QMessageBox::warning(&m_form, QStringLiteral("保存エラー"),
                             error + QStringLiteral("\n選んだ値はこのまま使いますが、"
                                                    "次回の起動時には元に戻ります。"));
    }
}

void Settings::cboMonsu_Click(int index)
{
    m_form.state.intMonsu = static_cast<int16_t>(m_form.cboMonsu->itemText(index).toShort());
    StoreSettings();
}

void Settings::cboJikan_Click(int index)
{
    m_form.state.intJikan = static_cast<int16_t>(m_form.cboJikan->itemText(index).toShort());
    StoreSettings();
}

void Settings::chkAs_Click(bool checked)
{
    m_form.state.intAs = checked ? 1 : 0;
    StoreSettings();
}
