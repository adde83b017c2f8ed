#include "window/Actions.h"

#include <QAction>
#include <QKeyEvent>

#include <algorithm>

namespace corvale {

void KeyMap::Add(QAction* action, KeyScope scope, QString where) {
    entries_.push_back({action, scope, std::move(where)});
}

QAction* KeyMap::Find(QStringView objectName) const {
    const auto found = std::find_if(entries_.cbegin(), entries_.cend(), [&](const Entry& entry) {
        return entry.action->objectName() == objectName;
    });
    return found == entries_.cend() ? nullptr : found->action;
}

QAction* KeyMap::WindowCommandFor(const QKeyEvent& key) const {
    for (const Entry& entry : entries_) {
        if (entry.scope == KeyScope::Window && IsKeyOf(*entry.action, key)) {
            return entry.action;
        }
    }
    return nullptr;
}

QKeySequence KeyOf(const QKeyEvent& key) {
    return QKeySequence(
        QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, static_cast<Qt::Key>(key.key())));
}

bool IsKeyOf(const QAction& action, const QKeyEvent& key) {
    return action.shortcuts().contains(KeyOf(key));
}

QString KeyText(const QAction& action) {
    QStringList keys;
    for (const QKeySequence& key : action.shortcuts()) {
        keys.append(key.toString(QKeySequence::NativeText));
    }
    return keys.join(QStringLiteral(" or "));
}

QString WithKeys(const QString& description, const QAction& action) {
    return QStringLiteral("%1 (%2)").arg(description, KeyText(action));
}

}  // namespace corvale
