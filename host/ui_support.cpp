#include "ui_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QUiLoader>
#include <QVariant>
#include <QWidget>

#include "alert_sound.h"

int TagOf(const QObject* element) {
  if (element == nullptr) return 0;
  bool ok = false;
  int tag = element->property(kTagProperty).toInt(&ok);
  return ok ? tag : 0;
}

bool HasTag(const QObject* element) { return element != nullptr && element->property(kTagProperty).isValid(); }

void SetTag(QObject* element, int tag) {
  if (element != nullptr) element->setProperty(kTagProperty, tag);
}

QWidget* FindElementByTag(QObject* root, int tag) {
  if (root == nullptr) return nullptr;
  if (root->isWidgetType() && HasTag(root) && TagOf(root) == tag) return static_cast<QWidget*>(root);
  for (QObject* child : root->children()) {
    if (QWidget* found = FindElementByTag(child, tag)) return found;
  }
  return nullptr;
}

QWidget* LoadInterfaceFile(const Bundle* bundle, const std::string& name, QWidget* parent) {
  if (bundle == nullptr) return nullptr;
  std::string path = bundle->PathForResource(name, "ui", "");
  if (path.empty()) return nullptr;
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  QUiLoader loader;
  loader.setWorkingDirectory(QDir(QString::fromStdString(bundle->ResourcePath())));
  return loader.load(&file, parent);
}

void InstallHostUI() {
  SetSysBeepHandler([] { QApplication::beep(); });
}
