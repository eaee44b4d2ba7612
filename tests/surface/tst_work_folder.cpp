// Where the program works: a folder holding "dmc.txt" as it is, else the user's data folder,
// made and given the missing catalogue files without replacing any file the user has there.
#include "surface/work_folder.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
void put(const QString& folder, const QString& name, const QByteArray& text)
{
    QDir().mkpath(folder);
    QFile f(QDir(folder).filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QByteArray contents(const QString& folder, const QString& name)
{
    QFile f(QDir(folder).filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}
} // namespace

class TestWorkFolder : public QObject {
    Q_OBJECT
private slots:
    void folderWithCatalogueUsedAsItIs()
    {
        QTemporaryDir root;
        const QString current = root.filePath(QStringLiteral("here")), user = root.filePath(QStringLiteral("user"));
        put(current, QStringLiteral("dmc.txt"), "mine");
        put(root.filePath(QStringLiteral("share")), QStringLiteral("dmc.txt"), "shared");
        const ChosenFolder c = chooseWorkFolder(current, user, { root.filePath(QStringLiteral("share")) });
        QCOMPARE(c.path, current);
        QVERIFY(c.error.isEmpty());
        QVERIFY(!QFileInfo::exists(user));
    }

    void userFolderFilledWithoutReplacing_data()
    {
        QTest::addColumn<QStringList>("userFiles"); // already there, each holding "user"
        QTest::newRow("first start: folder made, all catalogues copied") << QStringList();
        QTest::newRow("personal catalogue, undo file and a changed catalogue kept")
            << QStringList { "personal.txt", "puntela$", "dmc5.txt" };
    }
    void userFolderFilledWithoutReplacing()
    {
        QFETCH(QStringList, userFiles);
        QTemporaryDir root;
        const QString user = root.filePath(QStringLiteral("data/puntela"));
        const QString share = root.filePath(QStringLiteral("share"));
        const QStringList shared { "dmc.txt", "dmc1.txt", "dmc5.txt", "dmc10.txt", "personal.txt" };
        for (const QString& name : shared)
            put(share, name, "shared " + name.toUtf8());
        for (const QString& name : userFiles)
            put(user, name, "user");
        const ChosenFolder c
            = chooseWorkFolder(root.filePath(QStringLiteral("empty")), user, { root.filePath("none"), share });
        QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
        QCOMPARE(c.path, user);
        for (const QString& name : shared + userFiles) {
            const QByteArray expected = userFiles.contains(name) ? QByteArray("user")
                : name == QLatin1String("personal.txt")          ? QByteArray("(missing)")
                                                                 : "shared " + name.toUtf8();
            QCOMPARE(contents(user, name), expected);
        }
        // no half-written copies left behind
        QCOMPARE(QDir(user).entryList(QDir::Files).size(),
            4 + int(userFiles.contains("personal.txt")) + int(userFiles.contains("puntela$")));
    }

    void noCatalogueAnywhereIsAnError_data()
    {
        QTest::addColumn<bool>("userFolderBlocked");
        QTest::newRow("no installed catalogues") << false;
        QTest::newRow("user folder cannot be made") << true;
    }
    void noCatalogueAnywhereIsAnError()
    {
        QFETCH(bool, userFolderBlocked);
        QTemporaryDir root;
        QString user = root.filePath(QStringLiteral("user"));
        QStringList shared { root.filePath(QStringLiteral("share")) };
        if (userFolderBlocked) {
            put(root.path(), QStringLiteral("file"), "x");
            user = root.filePath(QStringLiteral("file/puntela"));
            put(shared.first(), QStringLiteral("dmc.txt"), "shared");
        }
        const ChosenFolder c = chooseWorkFolder(root.filePath(QStringLiteral("empty")), user, shared);
        QVERIFY(c.path.isEmpty());
        QVERIFY(c.error.contains(userFolderBlocked ? QStringLiteral("No se puede crear") : QStringLiteral("dmc.txt")));
    }
};

QTEST_GUILESS_MAIN(TestWorkFolder)
#include "tst_work_folder.moc"
