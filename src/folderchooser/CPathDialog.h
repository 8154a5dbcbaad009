#pragma once
// The folder chooser: a modal window with the prompt, an editable path field,
// a folder tree below it, OK and Cancel. A folder can be picked in the tree or
// typed; OK hands the path to a check that may create the folder, and only a
// path the check accepts closes the window.

#include <QDialog>

#include <string>

#include "folderchooser/FolderRules.h"
#include "platform/OperatorDialogs.h"

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;
class CPathDialog;

// The hook on the chooser's window: it owns the OK press and follows the
// path field.
class CPathDialogSub : public QObject {
    Q_OBJECT
public:
    explicit CPathDialogSub(CPathDialog& owner);

    void OnPathEdited(const QString& text);
    void OnOK();

private:
    CPathDialog& m_Owner;
};

class CPathDialog : public QDialog {
    Q_OBJECT
public:
    // Id of the path field, kept as its object name.
    static constexpr int kPathFieldId = 14148;

    CPathDialog(QWidget* owner, const std::string& caption, const std::string& prompt,
                const std::string& initialFolder, OperatorDialogs::FolderCheck check,
                PathStyle style = kNativePathStyle);
    ~CPathDialog() override;

    // Shows the chooser modally: 1 when the operator confirmed a folder the
    // check accepted, -1 otherwise.
    int DoModal();
    // The confirmed folder, without a trailing separator (except a root).
    const std::string& Path() const { return m_Path; }
    bool Succeeded() const { return m_Success != 0; }

    QLineEdit* PathField() const { return m_PathField; }
    QTreeView* Tree() const { return m_Tree; }
    QPushButton* OkButton() const { return m_OkButton; }
    CPathDialogSub& Hook() { return *m_Hook; }

private:
    friend class CPathDialogSub;

    void OnFolderSelected(const QModelIndex& current);
    void SelectInitialFolder(const std::string& initialFolder);

    OperatorDialogs::FolderCheck m_Check;
    PathStyle m_Style;
    std::string m_Path;
    int m_Success = 0;
    QFileSystemModel* m_Model = nullptr;
    QTreeView* m_Tree = nullptr;
    QLineEdit* m_PathField = nullptr;
    QPushButton* m_OkButton = nullptr;
    CPathDialogSub* m_Hook = nullptr;
};
