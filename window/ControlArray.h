#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace corvale {

// A row of like controls addressed by index, element 0 being the designed pattern. Elements are
// created in order and never removed; asking for a missing element gives nullptr.
template <typename T>
class ControlArray {
public:
    explicit ControlArray(QString name) : name_(std::move(name)) {}

    T* operator()(std::int32_t i) const {
        return (i >= 0 && i < static_cast<std::int32_t>(elements_.size())) ? elements_[i] : nullptr;
    }
    // Highest created element (0 when only the pattern exists).
    std::int32_t Count() const { return static_cast<std::int32_t>(elements_.size()) - 1; }
    // Adds the next element; its objectName becomes "name(i)".
    void Append(T* element) {
        element->setObjectName(
            QStringLiteral("%1(%2)").arg(name_).arg(static_cast<int>(elements_.size())));
        elements_.push_back(element);
    }
    const QString& Name() const { return name_; }

private:
    QString name_;
    std::vector<T*> elements_;
};

}  // namespace corvale
