#include "folderchooser/CPathDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Paths travel as the file system's own bytes, so a folder name outside
// Latin-1 still names the same folder when the program opens files in it.
QString ToPathText(const std::string& path)
{
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string FromPathText(const QString& text)
{
    const QByteArray bytes = QFile::encodeName(text);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// `path` without trailing separators, a root kept as it is.
std::string WithoutTrailingSeparators(std::string path, char sep)
{
    while (path.size() > 1 && path.back() == sep)
        path.pop_back();
    return path;
}

}  // namespace

CPathDialogSub::CPathDialogSub(CPathDialog& owner) : QObject(&owner), m_Owner(owner) {}

void CPathDialogSub::OnPathEdited(const QString& text)
{
    std::string path = FromPathText(text);
    if (path.size() > kMaxFolderPath)
        path.resize(kMaxFolderPath);
    m_Owner.m_Path = path;
    m_Owner.m_OkButton->setEnabled(!path.empty());
}

void CPathDialogSub::OnOK()
{
    OnPathEdited(m_Owner.m_PathField->text());
    const int result = m_Owner.m_Check ? m_Owner.m_Check(m_Owner.m_Path) : 0;
    if (result != 0) {
        m_Owner.m_PathField->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_Owner.m_Success = 1;
    m_Owner.accept();
}

CPathDialog::CPathDialog(QWidget* owner, const std::string& caption, const std::string& prompt,
                         const std::string& initialFolder, OperatorDialogs::FolderCheck check,
                         PathStyle style)
    : QDialog(owner), m_Check(std::move(check)), m_Style(style)
{
    setWindowTitle(QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));

    auto* layout = new QVBoxLayout(this);
    auto* promptLabel =
        new QLabel(QString::fromLatin1(prompt.data(), static_cast<qsizetype>(prompt.size())), this);
    promptLabel->setWordWrap(true);
    layout->addWidget(promptLabel);

    m_PathField = new QLineEdit(this);
    m_PathField->setObjectName(QString::number(kPathFieldId));
    m_PathField->setMaxLength(static_cast<int>(kMaxFolderPath));
    m_PathField->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_PathField);

    m_Model = new QFileSystemModel(this);
    m_Model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_Model->setRootPath(QDir::rootPath());
    m_Tree = new QTreeView(this);
    m_Tree->setModel(m_Model);
    m_Tree->setHeaderHidden(true);
    for (int column = 1; column < m_Model->columnCount(); ++column)
        m_Tree->hideColumn(column);
    layout->addWidget(m_Tree, 1);

    auto* buttons = new QDialogButtonBox(this);
    m_OkButton = buttons->addButton(QDialogButtonBox::Ok);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_OkButton->setEnabled(false);
    m_OkButton->setDefault(true);
    layout->addWidget(buttons);
    resize(420, 480);

    m_Hook = new CPathDialogSub(*this);
    connect(m_PathField, &QLineEdit::textChanged, m_Hook, &CPathDialogSub::OnPathEdited);
    connect(m_OkButton, &QPushButton::clicked, m_Hook, &CPathDialogSub::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_Tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnFolderSelected(current); });

    SelectInitialFolder(initialFolder);
    m_PathField->setFocus(Qt::OtherFocusReason);
}

CPathDialog::~CPathDialog() = default;

int CPathDialog::DoModal()
{
    exec();
    return m_Success ? 1 : -1;
}

void CPathDialog::OnFolderSelected(const QModelIndex& current)
{
    std::string path;
    if (current.isValid()) {
        path = FromPathText(QDir::toNativeSeparators(m_Model->filePath(current)));
        if (!IsChooserPath(path, m_Style))
            path.clear();
    }
    m_PathField->setText(ToPathText(path));
    m_OkButton->setEnabled(!path.empty());
}

void CPathDialog::SelectInitialFolder(const std::string& initialFolder)
{
    const char sep = PathSeparator(m_Style);
    std::string wanted = initialFolder.empty() ? FromPathText(QDir::currentPath())
                                               : WithoutTrailingSeparators(initialFolder, sep);

    // The tree can only show an existing folder: select the nearest one that
    // exists, then show the wanted folder in the path field so OK offers to
    // create it.
    SystemFolderOps ops;
    std::string shown = wanted;
    while (!shown.empty() && !ops.IsFolder(shown)) {
        const size_t cut = shown.find_last_of(sep);
        if (cut == std::string::npos || shown.size() == 1)
            shown.clear();
        else
            shown.resize(cut == 0 ? 1 : cut);
    }
    if (!shown.empty()) {
        const QModelIndex index = m_Model->index(ToPathText(shown));
        if (index.isValid()) {
            m_Tree->setCurrentIndex(index);
            m_Tree->scrollTo(index);
        }
    }
    if (FromPathText(m_PathField->text()) != wanted)
        m_PathField->setText(ToPathText(wanted));
}
