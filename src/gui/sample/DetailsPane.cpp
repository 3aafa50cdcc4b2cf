#include "gui/sample/DetailsPane.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kelvo {

DetailsPane::DetailsPane(QWidget* parent) : QDockWidget(QStringLiteral("详细过程"), parent) {
  setObjectName(QStringLiteral("DetailsPane"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  m_note = new QLabel(body);
  m_note->setObjectName(QStringLiteral("DetailsNote"));
  m_note->setWordWrap(true);
  m_note->setStyleSheet(QStringLiteral("color: #a05000;"));
  m_note->hide();
  m_text = new QTextBrowser(body);
  m_text->setObjectName(QStringLiteral("DetailsText"));
  m_text->setMinimumWidth(320);
  auto* copy = new QPushButton(QStringLiteral("复制全部"), body);
  copy->setObjectName(QStringLiteral("DetailsCopy"));
  layout->addWidget(m_note);
  layout->addWidget(m_text, 1);
  layout->addWidget(copy, 0, Qt::AlignRight);
  setWidget(body);
  connect(copy, &QPushButton::clicked, this, &DetailsPane::copyToClipboard);
}

void DetailsPane::setSolution(WorkedSolution solution) {
  m_solution = std::move(solution);
  m_rendered = false;
  setStaleNote(QString());
  if (isVisible()) render();
}

void DetailsPane::clearSolution() {
  m_solution = WorkedSolution();
  m_text->clear();
  m_rendered = true;
}

void DetailsPane::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (!m_rendered) render();
}

void DetailsPane::render() {
  m_text->setHtml(QString::fromStdString(m_solution.html()));
  m_rendered = true;
}

void DetailsPane::setStaleNote(const QString& note) {
  m_note->setText(note);
  m_note->setVisible(!note.isEmpty());
}

QString DetailsPane::plainText() const { return QString::fromStdString(m_solution.plainText()); }

void DetailsPane::copyToClipboard() const {
  QGuiApplication::clipboard()->setText(plainText());
}

}  // namespace kelvo
