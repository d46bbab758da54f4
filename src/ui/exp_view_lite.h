// TExpViewLite: a tree of the file system's folders for choosing one. The roots are the
// file-system roots (on Linux the one root "/"); below them the folders, read lazily: a
// node's subfolders are read the first time it is expanded, and again at each expansion; a
// node shows its expand sign only when its folder has at least one subfolder. Files and
// hidden folders are not shown. The selected folder is offered as a path (PathName,
// FolderName), and a folder can be selected by its path, which expands the nodes on the way.
#pragma once

#include <QString>
#include <QTreeWidget>

namespace vexilo {

class TExpViewLite : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(QString PathName READ GetPathName WRITE SetPathName)
    Q_PROPERTY(QString FolderName READ GetFolderName WRITE SetFolderName)

  public:
    explicit TExpViewLite(QWidget* parent = nullptr);

    // While true, no node may be expanded: from construction until Loaded.
    bool expandLocked = true;

    // The owner has finished setting the control up: the tree becomes read-only and nodes
    // may expand.
    void Loaded();
    // The control's window exists: build the roots.
    void CreateWnd();
    // Rebuilds the root nodes from the file-system roots; everything below them and the
    // selection are dropped.
    void Update();

    // Whether node may expand; makes its children the first time. A folder that cannot be
    // read does not expand and keeps its sign, so the next attempt reads it again; a folder
    // found without subfolders loses its sign.
    bool CanExpand(QTreeWidgetItem* node);
    // Brings the children already made in line with node's folder: subfolders made since
    // are added in their sorted place, removed ones dropped, and the children that stay
    // keep their state; their signs are checked again. Runs each time node is expanded.
    void refreshChildren(QTreeWidgetItem* node);
    // Adds one child per subfolder of node's folder; false when it cannot be read.
    bool MakeSubNode(QTreeWidgetItem* node);
    // Shows node's expand sign when its folder has at least one subfolder.
    void ExpPlusIcon(QTreeWidgetItem* node);

    // The node's folder: the node texts from the root down, each followed by "/" (a root
    // that already ends in "/" gets none): "/" for the root, "/usr/share/" below it.
    QString GetPath(const QTreeWidgetItem* node) const;

    // The selected folder, ending in "/"; empty when nothing is selected.
    QString GetPathName() const;
    // Selects the folder at path, expanding the nodes on the way, which raises Change when
    // the selection moves. A path that is not absolute is ignored; a path whose parts do
    // not all exist selects nothing (the nodes found on the way stay expanded). A missing
    // final "/" is added.
    void SetPathName(QString path);
    // PathName without its final "/"; the root "/" keeps its "/" (it is the root's name,
    // the way a drive's name is "C:"). Empty when nothing is selected.
    QString GetFolderName() const;
    void SetFolderName(const QString& name);

    // The root node named name; the exact name first, then without regard to case.
    QTreeWidgetItem* SerchRootNode(const QString& name) const;
    // The child of parent named name, making parent's children first when needed; the
    // exact name first, then without regard to case.
    QTreeWidgetItem* SerchChildNode(QTreeWidgetItem* parent, const QString& name);

    // The selected node, or none.
    QTreeWidgetItem* selectedNode() const;

  signals:
    // The selected folder changed.
    void Change();

  private:
    void nodeExpanded(QTreeWidgetItem* node);
};

}  // namespace vexilo
