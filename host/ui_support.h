// The user-interface kit of the platform, as Qt gives it: an element's tag is
// its dynamic integer property "tag"; interface files are Qt Designer files
// (<name>.ui) among a bundle's resources; the alert sound is the desktop's beep.
#pragma once
#include <string>

#include "bundle.h"

class QObject;
class QWidget;

inline constexpr char kTagProperty[] = "tag";

// The element's tag; 0 when it has none.
int TagOf(const QObject* element);
bool HasTag(const QObject* element);
void SetTag(QObject* element, int tag);
// `root` itself or the first of its descendants (depth first, in child order)
// whose tag is `tag`; nullptr when none.
QWidget* FindElementByTag(QObject* root, int tag);

// Loads Resources/<name>.ui of `bundle` with QUiLoader (images named in the
// file are looked up beside it); nullptr when the file is missing or unreadable.
QWidget* LoadInterfaceFile(const Bundle* bundle, const std::string& name, QWidget* parent);

// Connects the platform's alert sound (SysBeep) to QApplication::beep.
void InstallHostUI();
