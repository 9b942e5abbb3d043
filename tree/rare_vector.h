// A list that most nodes leave empty (a leaf's enumeration): one pointer
// wide until the first element arrives.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

template <typename T>
class Rare_Vector {
public:
    size_t size() const { return items_ ? items_->size() : 0; }
    bool empty() const { return size() == 0; }
    const T& operator[](size_t i) const { return (*items_)[i]; }
    T& operator[](size_t i) { return (*items_)[i]; }
    void push_back(T item) {
        if (!items_) items_ = std::make_unique<std::vector<T>>();
        items_->push_back(std::move(item));
    }
    const T* begin() const { return items_ ? items_->data() : nullptr; }
    const T* end() const { return items_ ? items_->data() + items_->size() : nullptr; }

private:
    std::unique_ptr<std::vector<T>> items_;
};
