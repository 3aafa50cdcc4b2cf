#include "gui/common/HelpViewer.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPoint>
#include <QShortcut>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/common/AppContext.h"
#include "gui/common/DataLocation.h"
#include "gui/common/Dialogs.h"

namespace kelvo {
namespace {

// The anchor of the document's contents list.
const QString kContentsAnchor = QStringLiteral("top");

QToolButton* CommandButton(QWidget* parent, const QString& name, const QString& text,
                           QStyle::StandardPixmap icon, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setToolTip(tip);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpViewer"));
  setWindowTitle(QStringLiteral("Kelvo 软件帮助"));
  setupCommands();
  connectSignals();
  resize(820, 680);
}

void HelpWindow::setupCommands() {
  m_back = CommandButton(this, QStringLiteral("helpBack"), QStringLiteral("后退"),
                         QStyle::SP_ArrowBack, QStringLiteral("回到上一次看的位置（Alt+←）"));
  m_forward = CommandButton(this, QStringLiteral("helpForward"), QStringLiteral("前进"),
                            QStyle::SP_ArrowForward, QStringLiteral("重新前往后退之前的位置（Alt+→）"));
  m_contents = CommandButton(this, QStringLiteral("helpContents"), QStringLiteral("目录"),
                             QStyle::SP_DirHomeIcon, QStringLiteral("回到帮助的目录"));
  m_back->setEnabled(false);
  m_forward->setEnabled(false);

  m_search = new QLineEdit(this);
  m_search->setObjectName(QStringLiteral("helpSearch"));
  m_search->setPlaceholderText(QStringLiteral("查找（回车：下一处）"));
  m_search->setClearButtonEnabled(true);
  m_search->setMinimumWidth(200);
  m_findNext = CommandButton(this, QStringLiteral("helpFindNext"), QStringLiteral("下一处"),
                             QStyle::SP_ArrowDown, QStringLiteral("查找下一处（回车）"));
  m_note = new QLabel(this);
  m_note->setObjectName(QStringLiteral("helpSearchNote"));

  m_browser = new QTextBrowser(this);
  m_browser->setObjectName(QStringLiteral("helpBrowser"));
  m_browser->setOpenExternalLinks(false);
  // A match stays marked while the typing goes on in the search box.
  QPalette palette = m_browser->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  m_browser->setPalette(palette);

  auto* commands = new QHBoxLayout;
  commands->setContentsMargins(0, 0, 0, 0);
  commands->addWidget(m_back);
  commands->addWidget(m_forward);
  commands->addWidget(m_contents);
  commands->addSpacing(16);
  commands->addWidget(new QLabel(QStringLiteral("查找:"), this));
  commands->addWidget(m_search, 1);
  commands->addWidget(m_findNext);
  commands->addWidget(m_note);
  commands->addStretch(0);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(commands);
  layout->addWidget(m_browser, 1);

  auto addShortcut = [this](const QKeySequence& keys, auto slot) {
    auto* action = new QAction(this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, slot);
    addAction(action);
  };
  addShortcut(QKeySequence::Back, [this] { m_browser->backward(); });
  addShortcut(QKeySequence::Forward, [this] { m_browser->forward(); });
  addShortcut(QKeySequence::Find, [this] {
    m_search->setFocus(Qt::ShortcutFocusReason);
    m_search->selectAll();
  });
  addShortcut(QKeySequence::FindNext, [this] { findNext(); });
}

void HelpWindow::connectSignals() {
  connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
  connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
  connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
  connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
  connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::dropLinkMark);
  connect(m_contents, &QToolButton::clicked, this, &HelpWindow::showContents);
  connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
  connect(m_findNext, &QToolButton::clicked, this, &HelpWindow::findNext);
  // While typing, the match grows from where it starts.
  connect(m_search, &QLineEdit::textEdited, this, [this] { findFrom(searchStart(false)); });
}

void HelpWindow::openPage(const QUrl& url) { m_browser->setSource(url); }

void HelpWindow::dropLinkMark() {
  // The browser keeps a clicked link marked and records the mark with the page it leaves;
  // coming back by "前进" would then scroll to the link instead of to the section.
  QTextCursor cursor = m_browser->textCursor();
  if (!cursor.hasSelection()) return;
  QScrollBar* bars[] = {m_browser->horizontalScrollBar(), m_browser->verticalScrollBar()};
  const int positions[] = {bars[0]->value(), bars[1]->value()};
  cursor.clearSelection();
  m_browser->setTextCursor(cursor);
  for (int i = 0; i < 2; ++i) bars[i]->setValue(positions[i]);
}

void HelpWindow::showContents() {
  QUrl url = m_browser->source();
  if (url.isEmpty()) return;
  url.setFragment(kContentsAnchor);
  openPage(url);
}

bool HelpWindow::findNext() { return findFrom(searchStart(true)); }

int HelpWindow::searchStart(bool afterMatch) const {
  const QTextCursor cursor = m_browser->textCursor();
  if (cursor.hasSelection() && m_browser->viewport()->rect().intersects(m_browser->cursorRect(cursor)))
    return afterMatch ? cursor.selectionEnd() : cursor.selectionStart();
  // No match on screen: the search starts at the top of what the reader sees.
  return m_browser->cursorForPosition(QPoint(0, 0)).position();
}

bool HelpWindow::findFrom(int position) {
  m_note->clear();
  const QString text = m_search->text();
  if (text.isEmpty()) return false;
  const QTextDocument* document = m_browser->document();
  QTextCursor found = document->find(text, position);
  const bool wrapped = found.isNull() && position > 0;
  if (wrapped) found = document->find(text, 0);
  if (found.isNull()) {
    m_note->setText(QStringLiteral("未找到“%1”").arg(text));
    return false;
  }
  if (wrapped) m_note->setText(QStringLiteral("已到末尾，从头找起"));
  m_browser->setTextCursor(found);
  m_browser->ensureCursorVisible();
  return true;
}

QString HelpDocumentPath() {
  if (!App().helpDocumentPath.isEmpty()) return App().helpDocumentPath;
  return ProgramDataFile(QStringLiteral("kelvo.html"));
}

void ShowProgramHelp(QWidget* parent, const QString& anchor) {
  const QString path = HelpDocumentPath();
  if (!QFileInfo(path).isReadable()) {
    Dialogs().showMessage(parent, QStringLiteral("找不到帮助文档：\n") + QDir::toNativeSeparators(path),
                          QStringLiteral("软件帮助"), MessageIcon::Warning);
    return;
  }
  // One help window for the whole program, brought to the front when asked again.
  QPointer<QWidget>& shown = App().helpWindow;
  auto* window = qobject_cast<HelpWindow*>(shown.data());
  if (!window) {
    window = new HelpWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    shown = window;
  }
  QUrl url = QUrl::fromLocalFile(path);
  url.setFragment(anchor.isEmpty() ? kContentsAnchor : anchor);
  window->show();
  window->openPage(url);
  window->raise();
  window->activateWindow();
}

void AddHelpKey(QWidget* window, const QString& anchor) {
  auto* key = new QShortcut(QKeySequence::HelpContents, window);
  QObject::connect(key, &QShortcut::activated, window, [window, anchor] { ShowProgramHelp(window, anchor); });
}

}  // namespace kelvo
