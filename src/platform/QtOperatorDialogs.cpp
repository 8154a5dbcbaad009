#include "platform/OperatorDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "folderchooser/CPathDialog.h"
#include "platform/Text.h"
#include "ui/AboutBox.h"

void QtOperatorDialogs::Message(const std::string& title, const std::string& text)
{
    QMessageBox::information(m_Parent, ToQt(title), ToQt(text), QMessageBox::Ok);
}

bool QtOperatorDialogs::AskYesNo(const std::string& title, const std::string& text)
{
    return QMessageBox::question(m_Parent, ToQt(title), ToQt(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtOperatorDialogs::OpenFileName(const std::string& caption,
                                                           const std::string& filter,
                                                           const std::string& folder)
{
    const QString chosen =
        QFileDialog::getOpenFileName(m_Parent, ToQt(caption), ToQt(folder), ToQt(filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return FromQt(chosen);
}

std::optional<std::string> QtOperatorDialogs::ChooseFolder(const std::string& caption,
                                                           const std::string& prompt,
                                                           const std::string& start,
                                                           const FolderCheck& confirm)
{
    CPathDialog chooser(m_Parent, caption, prompt, start, confirm);
    if (chooser.DoModal() != 1)
        return std::nullopt;
    return chooser.Path();
}

void QtOperatorDialogs::About()
{
    AboutBox box(m_Parent);
    box.exec();
}

void QtOperatorDialogs::SetBusyCursor(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
