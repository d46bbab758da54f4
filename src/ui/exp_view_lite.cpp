#include "ui/exp_view_lite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QPalette>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>

namespace vexilo {

namespace {

// The hourglass on the control while the file system is read.
class WaitCursor {
  public:
    explicit WaitCursor(QWidget* widget) : widget_(widget) { widget_->setCursor(Qt::WaitCursor); }
    ~WaitCursor() { widget_->unsetCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    QWidget* widget_;
};

// Calls visit with the name of each subfolder of folder, hidden ones left out, in the order
// the directory listing gives them, until visit returns false. Links to folders count as
// folders. False when the folder cannot be read.
bool forEachSubfolder(const QString& folder, const std::function<bool(const QString&)>& visit) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(fs::path(QFile::encodeName(folder).toStdString()), ec);
    if (ec) return false;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().native();
        if (name.empty() || name.front() == '.') continue;
        std::error_code typeError;
        if (!it->is_directory(typeError)) continue;
        if (!visit(QFile::decodeName(QByteArray::fromStdString(name)))) break;
    }
    return true;
}

// Alphabetical, without regard to case; names that differ only in case keep a fixed order.
bool folderNameLess(const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
    const int folded = QString::compare(a->text(0), b->text(0), Qt::CaseInsensitive);
    if (folded != 0) return folded < 0;
    return a->text(0) < b->text(0);
}

// The exact name first, then without regard to case.
QTreeWidgetItem* findByName(const QList<QTreeWidgetItem*>& nodes, const QString& name) {
    for (QTreeWidgetItem* node : nodes) {
        if (node->text(0) == name) return node;
    }
    for (QTreeWidgetItem* node : nodes) {
        if (node->text(0).compare(name, Qt::CaseInsensitive) == 0) return node;
    }
    return nullptr;
}

QList<QTreeWidgetItem*> childrenOf(const QTreeWidgetItem* parent) {
    QList<QTreeWidgetItem*> nodes;
    for (int i = 0; i < parent->childCount(); ++i) nodes.append(parent->child(i));
    return nodes;
}

QTreeWidgetItem* newFolderNode(const QString& text) {
    auto* node = new QTreeWidgetItem(QStringList{text});
    node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    return node;
}

}  // namespace

TExpViewLite::TExpViewLite(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    // Long names widen the column and bring a horizontal scroll bar instead of being cut.
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The selection stays visible when the control loses the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
    connect(this, &QTreeWidget::itemExpanded, this, &TExpViewLite::nodeExpanded);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &TExpViewLite::Change);
    // The item model exists from construction on, so the roots can be made at once.
    CreateWnd();
}

void TExpViewLite::Loaded() {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    expandLocked = false;
}

void TExpViewLite::CreateWnd() {
    Update();
}

void TExpViewLite::Update() {
    WaitCursor wait(this);
    clear();
    for (const QFileInfo& drive : QDir::drives()) {
        // "/" stays "/"; a drive root "c:/" becomes "C:".
        QString name = drive.filePath();
        if (name.size() > 1 && name.endsWith('/')) name.chop(1);
        QTreeWidgetItem* node = newFolderNode(name.toUpper());
        addTopLevelItem(node);
        ExpPlusIcon(node);
    }
}

void TExpViewLite::ExpPlusIcon(QTreeWidgetItem* node) {
    bool found = false;
    forEachSubfolder(GetPath(node), [&](const QString&) {
        found = true;
        return false;
    });
    if (found) node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
}

bool TExpViewLite::MakeSubNode(QTreeWidgetItem* node) {
    QList<QTreeWidgetItem*> made;
    const bool readable = forEachSubfolder(GetPath(node), [&](const QString& name) {
        made.append(newFolderNode(name));
        return true;
    });
    if (!readable) return false;
    node->addChildren(made);
    for (QTreeWidgetItem* child : made) ExpPlusIcon(child);
    return true;
}

bool TExpViewLite::CanExpand(QTreeWidgetItem* node) {
    if (expandLocked) return false;
    if (node->childCount() > 0) return true;  // refreshChildren brings them up to date
    WaitCursor wait(this);
    if (!MakeSubNode(node)) return false;
    QList<QTreeWidgetItem*> children = node->takeChildren();
    std::sort(children.begin(), children.end(), folderNameLess);
    node->addChildren(children);
    node->setChildIndicatorPolicy(children.isEmpty() ? QTreeWidgetItem::DontShowIndicator
                                                     : QTreeWidgetItem::ShowIndicator);
    return true;
}

void TExpViewLite::refreshChildren(QTreeWidgetItem* node) {
    if (expandLocked || node->childCount() == 0) return;
    WaitCursor wait(this);
    QStringList names;
    const bool readable = forEachSubfolder(GetPath(node), [&](const QString& name) {
        names.append(name);
        return true;
    });
    if (!readable) return;  // what is shown stays until the folder can be read again
    // Edited in place, so that the nodes that stay keep their state and children.
    for (int i = node->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* child = node->child(i);
        if (names.removeOne(child->text(0))) {
            if (child->childCount() == 0) ExpPlusIcon(child);
        } else {
            delete node->takeChild(i);
        }
    }
    for (const QString& name : names) {
        QTreeWidgetItem* added = newFolderNode(name);
        int at = 0;
        while (at < node->childCount() && folderNameLess(node->child(at), added)) ++at;
        node->insertChild(at, added);
        ExpPlusIcon(added);
    }
    if (node->childCount() == 0) node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

void TExpViewLite::nodeExpanded(QTreeWidgetItem* node) {
    refreshChildren(node);
    // A node that may not expand, or turned out empty, is shown closed again, so that the
    // next attempt asks once more.
    if (!CanExpand(node) || node->childCount() == 0) node->setExpanded(false);
}

QString TExpViewLite::GetPath(const QTreeWidgetItem* node) const {
    QString path;
    for (; node; node = node->parent()) {
        QString part = node->text(0);
        if (!part.endsWith('/')) part += '/';
        path.prepend(part);
    }
    return path;
}

QTreeWidgetItem* TExpViewLite::selectedNode() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QString TExpViewLite::GetPathName() const {
    const QTreeWidgetItem* node = selectedNode();
    return node ? GetPath(node) : QString();
}

QString TExpViewLite::GetFolderName() const {
    QString name = GetPathName();
    if (name.size() > 1) name.chop(1);
    return name;
}

void TExpViewLite::SetFolderName(const QString& name) {
    SetPathName(name);
}

void TExpViewLite::SetPathName(QString path) {
    if (!QDir::isAbsolutePath(path)) return;
    if (!path.endsWith('/')) path += '/';
    // The root's name: "/" itself, or the part before the first "/" ("C:").
    QString rest;
    QTreeWidgetItem* node = nullptr;
    if (path.startsWith('/')) {
        node = SerchRootNode(QStringLiteral("/"));
        rest = path.mid(1);
    } else {
        const qsizetype slash = path.indexOf('/');
        node = SerchRootNode(path.left(slash));
        rest = path.mid(slash + 1);
    }
    while (node) {
        if (rest.isEmpty()) {
            setCurrentItem(node);
            scrollToItem(node);
            return;
        }
        const qsizetype slash = rest.indexOf('/');
        const QString part = rest.left(slash);
        rest = rest.mid(slash + 1);
        // The way can be opened even while the control is still being set up.
        const bool locked = expandLocked;
        expandLocked = false;
        node->setExpanded(true);
        expandLocked = locked;
        node = SerchChildNode(node, part);
    }
}

QTreeWidgetItem* TExpViewLite::SerchRootNode(const QString& name) const {
    QList<QTreeWidgetItem*> roots;
    for (int i = 0; i < topLevelItemCount(); ++i) roots.append(topLevelItem(i));
    return findByName(roots, name);
}

QTreeWidgetItem* TExpViewLite::SerchChildNode(QTreeWidgetItem* parent, const QString& name) {
    const bool known = parent->childCount() > 0;
    CanExpand(parent);
    QTreeWidgetItem* found = findByName(childrenOf(parent), name);
    if (found == nullptr && known) {
        refreshChildren(parent);  // made since the children were read
        found = findByName(childrenOf(parent), name);
    }
    return found;
}

}  // namespace vexilo
