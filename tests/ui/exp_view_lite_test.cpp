#include "ui/exp_view_lite.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "support/access_denial.h"
#include "ui/offscreen_application.h"

namespace {

using vexilo::TExpViewLite;

QStringList childTexts(const QTreeWidgetItem* node) {
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i) texts << node->child(i)->text(0);
    return texts;
}

bool showsSign(const QTreeWidgetItem* node) {
    return node->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator || node->childCount() > 0;
}

class ExpViewLiteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        offscreenApplication();
        ASSERT_TRUE(temp.isValid());
        root = temp.path();
        tree = std::make_unique<TExpViewLite>();
        tree->Loaded();
        QObject::connect(tree.get(), &TExpViewLite::Change, [this] { ++changes; });
    }

    void makeFolders(std::initializer_list<const char*> paths) {
        for (const char* p : paths) ASSERT_TRUE(QDir().mkpath(root + "/" + p)) << p;
    }
    void makeFile(const QString& relative) {
        QFile file(root + "/" + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // The node of a folder below the temporary folder, found through the tree.
    QTreeWidgetItem* nodeAt(const QString& relative) {
        const QString before = tree->GetPathName();
        tree->SetPathName(root + "/" + relative);
        QTreeWidgetItem* node = tree->selectedNode();
        if (tree->GetPathName() != root + "/" + relative + "/") return nullptr;
        tree->SetPathName(before.isEmpty() ? QStringLiteral("/") : before);
        return node;
    }

    QTemporaryDir temp{QDir::tempPath() + "/vexilo-tree-XXXXXX"};
    QString root;
    std::unique_ptr<TExpViewLite> tree;
    int changes = 0;
};

TEST_F(ExpViewLiteTest, StartsWithTheFileSystemRootAndNoSelection) {
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* top = tree->topLevelItem(0);
    EXPECT_EQ(top->text(0), "/");
    EXPECT_EQ(tree->GetPath(top), "/");
    EXPECT_TRUE(showsSign(top));
    EXPECT_EQ(top->childCount(), 0);  // nothing is read before the root is opened
    EXPECT_EQ(tree->GetPathName(), "");
    EXPECT_EQ(tree->GetFolderName(), "");
    EXPECT_EQ(tree->SerchRootNode("/"), top);
    EXPECT_EQ(tree->SerchRootNode("C:"), nullptr);
}

TEST_F(ExpViewLiteTest, SelectingByPathWithAndWithoutFinalSlash) {
    makeFolders({"games/puzzles"});
    tree->SetPathName(root + "/games/puzzles");
    EXPECT_EQ(tree->GetPathName(), root + "/games/puzzles/");
    EXPECT_EQ(tree->GetFolderName(), root + "/games/puzzles");
    EXPECT_EQ(tree->selectedNode()->text(0), "puzzles");
    EXPECT_EQ(changes, 1);

    tree->SetPathName(root + "/games/puzzles/");  // already selected: no change event
    EXPECT_EQ(changes, 1);
    tree->SetPathName(root + "/games/");
    EXPECT_EQ(tree->GetPathName(), root + "/games/");
    EXPECT_EQ(changes, 2);
    tree->SetFolderName(root + "/games/puzzles");
    EXPECT_EQ(tree->GetPathName(), root + "/games/puzzles/");
    EXPECT_EQ(changes, 3);

    // The nodes on the way were opened; their paths are the node texts.
    QTreeWidgetItem* node = tree->selectedNode();
    ASSERT_NE(node->parent(), nullptr);
    EXPECT_TRUE(node->parent()->isExpanded());
    EXPECT_EQ(tree->GetPath(node->parent()), root + "/games/");
}

TEST_F(ExpViewLiteTest, TheRootFolder) {
    tree->SetPathName("/");
    EXPECT_EQ(tree->GetPathName(), "/");
    EXPECT_EQ(tree->GetFolderName(), "/");
    EXPECT_EQ(tree->selectedNode(), tree->topLevelItem(0));
    EXPECT_EQ(changes, 1);
}

TEST_F(ExpViewLiteTest, WrongCaseFindsTheFolderAndReadsBackItsRealName) {
    makeFolders({"Games/Puzzles"});
    tree->SetPathName(root + "/GAMES/puzzles");
    EXPECT_EQ(tree->GetPathName(), root + "/Games/Puzzles/");
}

TEST_F(ExpViewLiteTest, TheExactNameWinsOverOneThatDiffersInCase) {
    makeFolders({"box/data", "box/Data", "box/DATA"});
    tree->SetPathName(root + "/box/data");
    EXPECT_EQ(tree->GetPathName(), root + "/box/data/");
    tree->SetPathName(root + "/box/DATA");
    EXPECT_EQ(tree->GetPathName(), root + "/box/DATA/");
    tree->SetPathName(root + "/box/Data");
    EXPECT_EQ(tree->GetPathName(), root + "/box/Data/");
    tree->SetPathName(root + "/box/dAtA");  // no exact match: the first in the sorted list
    EXPECT_EQ(tree->GetPathName(), root + "/box/DATA/");
}

TEST_F(ExpViewLiteTest, PathsThatCannotBeFollowedSelectNothing) {
    makeFolders({"a/b/c"});
    tree->SetPathName(root + "/a");
    ASSERT_EQ(changes, 1);
    QTreeWidgetItem* a = tree->selectedNode();
    EXPECT_FALSE(a->isExpanded());

    for (const QString& path : {QString("a/b"), QString(""), QString("relative/"), root + "/a//b",
                                root + "/a/b/c/x", root + "/a/b/missing"}) {
        tree->SetPathName(path);
        EXPECT_EQ(tree->GetPathName(), root + "/a/") << path.toStdString();
    }
    EXPECT_EQ(changes, 1);
    // The part found on the way stays open.
    EXPECT_TRUE(a->isExpanded());
    QTreeWidgetItem* b = tree->SerchChildNode(a, "b");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isExpanded());
}

TEST_F(ExpViewLiteTest, ShowsFoldersOnlySortedWithoutHiddenOnes) {
    makeFolders({"top/beta", "top/Zeta/inner", "top/alpha", "top/.hidden/inner", "top/files",
                 "top/onlyhidden/.secret", "target/x"});
    makeFile("top/readme.txt");
    makeFile("top/files/a.ALC");
    ASSERT_TRUE(QFile::link(root + "/target", root + "/top/linked"));

    tree->SetPathName(root + "/top");
    QTreeWidgetItem* top = tree->selectedNode();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->childCount(), 0);  // read on first expansion only
    ASSERT_TRUE(tree->CanExpand(top));
    EXPECT_EQ(childTexts(top),
              (QStringList{"alpha", "beta", "files", "linked", "onlyhidden", "Zeta"}));
    // The sign only where a visible subfolder exists.
    EXPECT_FALSE(showsSign(top->child(0)));  // alpha: empty
    EXPECT_FALSE(showsSign(top->child(2)));  // files: files only
    EXPECT_TRUE(showsSign(top->child(3)));   // linked: a link to a folder with a subfolder
    EXPECT_FALSE(showsSign(top->child(4)));  // onlyhidden
    EXPECT_TRUE(showsSign(top->child(5)));   // Zeta
}

TEST_F(ExpViewLiteTest, FoldersMadeOrRemovedShowWhenTheirParentOpensAgain) {
    makeFolders({"p/a", "p/c/deep"});
    QTreeWidgetItem* p = nodeAt("p");
    ASSERT_NE(p, nullptr);
    p->setExpanded(true);
    QTreeWidgetItem* c = nodeAt("p/c");
    ASSERT_NE(c, nullptr);
    c->setExpanded(true);
    EXPECT_FALSE(showsSign(c->child(0)));
    makeFolders({"p/b", "p/c/deep/x"});
    ASSERT_TRUE(QDir(root + "/p/a").removeRecursively());
    p->setExpanded(false);
    p->setExpanded(true);
    EXPECT_EQ(childTexts(p), (QStringList{"b", "c"}));
    EXPECT_EQ(p->child(1), c);  // the node that stays keeps its state
    EXPECT_TRUE(c->isExpanded());
    c->setExpanded(false);
    c->setExpanded(true);
    EXPECT_TRUE(showsSign(c->child(0)));
}

TEST_F(ExpViewLiteTest, AFolderFoundEmptyLosesItsSign) {
    makeFolders({"emptying/sub"});
    QTreeWidgetItem* node = nodeAt("emptying");
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(showsSign(node));
    ASSERT_TRUE(QDir(root + "/emptying/sub").removeRecursively());

    node->setExpanded(true);
    EXPECT_EQ(node->childCount(), 0);
    EXPECT_EQ(node->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
    EXPECT_FALSE(node->isExpanded());
    // A subfolder made later is found on the next attempt.
    makeFolders({"emptying/later"});
    EXPECT_NE(tree->SerchChildNode(node, "later"), nullptr);
    EXPECT_TRUE(showsSign(node));
}

TEST_F(ExpViewLiteTest, AnUnreadableFolderIsLeftAloneAndTriedAgain) {
    makeFolders({"locked/inside"});
    QTreeWidgetItem* node = nodeAt("locked");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(showsSign(node));
    const QString lockedPath = root + "/locked";
    ASSERT_TRUE(vexilo::testing::setMode(QFile::encodeName(lockedPath).toStdString(), 0));
    {
        vexilo::testing::AccessDenial denial;
        if (!denial.active()) GTEST_SKIP() << "this process cannot give up reading everything";
        ASSERT_FALSE(QDir(lockedPath).exists("inside") && QDir(lockedPath).count() > 0)
            << "the folder can still be read; the test would prove nothing";
        node->setExpanded(true);
        EXPECT_FALSE(node->isExpanded());
        EXPECT_EQ(node->childCount(), 0);
        EXPECT_EQ(node->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        EXPECT_FALSE(tree->CanExpand(node));
        // Selecting a path through it finds nothing and changes nothing.
        const int before = changes;
        tree->SetPathName(lockedPath + "/inside");
        EXPECT_EQ(changes, before);
        EXPECT_NE(tree->GetPathName(), lockedPath + "/inside/");
    }
    ASSERT_TRUE(vexilo::testing::setMode(QFile::encodeName(lockedPath).toStdString(), 0755));
    node->setExpanded(true);
    EXPECT_TRUE(node->isExpanded());
    EXPECT_EQ(childTexts(node), QStringList{"inside"});
}

TEST_F(ExpViewLiteTest, NothingExpandsBeforeTheControlIsLoaded) {
    makeFolders({"early/inner"});
    TExpViewLite fresh;
    EXPECT_TRUE(fresh.expandLocked);
    QTreeWidgetItem* top = fresh.topLevelItem(0);
    top->setExpanded(true);
    EXPECT_FALSE(top->isExpanded());
    EXPECT_EQ(top->childCount(), 0);
    EXPECT_FALSE(fresh.CanExpand(top));
    // A path can be opened all the same.
    fresh.SetPathName(root + "/early/inner");
    EXPECT_EQ(fresh.GetPathName(), root + "/early/inner/");
    EXPECT_TRUE(fresh.expandLocked);
    EXPECT_EQ(fresh.editTriggers() & QAbstractItemView::NoEditTriggers, 0);
    fresh.Loaded();
    EXPECT_FALSE(fresh.expandLocked);
    EXPECT_EQ(fresh.editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(ExpViewLiteTest, UpdateReturnsToTheBareRoots) {
    makeFolders({"u/v"});
    tree->SetPathName(root + "/u/v");
    ASSERT_FALSE(tree->GetPathName().isEmpty());
    tree->Update();
    EXPECT_EQ(tree->GetPathName(), "");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
}

}  // namespace
