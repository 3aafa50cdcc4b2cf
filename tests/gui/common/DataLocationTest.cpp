// Where the program finds its read-only files, in a build tree and in an install under a prefix.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "gui/common/DataLocation.h"

using kelvo::ProgramDataFile;

class DataLocationTest : public QObject {
  Q_OBJECT

  static void touch(const QString& path) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
  }

 private slots:
  void besideTheExecutableWinsOverTheSharedFolder() {
    QTemporaryDir root;
    touch(root.filePath("usr/bin/bzztfbb.db"));
    touch(root.filePath("usr/share/kelvo/bzztfbb.db"));
    QCOMPARE(ProgramDataFile(root.filePath("usr/bin"), "bzztfbb.db"),
             root.filePath("usr/bin/bzztfbb.db"));
  }

  void anInstallUnderAPrefixIsFoundInShareKelvo() {
    QTemporaryDir root;
    touch(root.filePath("usr/share/kelvo/kelvo.html"));
    QCOMPARE(ProgramDataFile(root.filePath("usr/bin"), "kelvo.html"),
             root.filePath("usr/share/kelvo/kelvo.html"));
  }

  void aMissingFileIsNamedBesideTheExecutable() {
    QTemporaryDir root;
    // A folder of that name is no file.
    QVERIFY(QDir().mkpath(root.filePath("usr/share/kelvo/bzztfbb.db")));
    QCOMPARE(ProgramDataFile(root.filePath("usr/bin"), "bzztfbb.db"),
             root.filePath("usr/bin/bzztfbb.db"));
  }
};

QTEST_GUILESS_MAIN(DataLocationTest)
#include "DataLocationTest.moc"
