#pragma once
// Containers that own what they point to: records kept by pointer so that
// their addresses stay valid while the container grows (glyphs, fonts, items).
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

// Owns and deletes its elements.
template <class T>
class ptr_vec_t {
public:
    ptr_vec_t() = default;
    ptr_vec_t(const ptr_vec_t&) = delete;
    ptr_vec_t& operator=(const ptr_vec_t&) = delete;
    ptr_vec_t(ptr_vec_t&& o) noexcept : v_(std::move(o.v_)) { o.v_.clear(); }
    ptr_vec_t& operator=(ptr_vec_t&& o) noexcept {
        if (this != &o) {
            clear();
            v_ = std::move(o.v_);
            o.v_.clear();
        }
        return *this;
    }
    ~ptr_vec_t() { clear(); }

    // Takes ownership of p, even when growing the vector throws.
    T* push_back(T* p) {
        try {
            v_.push_back(p);
        } catch (...) {
            delete p;
            throw;
        }
        return p;
    }
    // Deletes the element and closes the gap.
    void erase(size_t i) {
        if (i >= v_.size()) return;
        delete v_[i];
        v_.erase(v_.begin() + std::ptrdiff_t(i));
    }
    // Hands the element back to the caller, who then owns it.
    T* release(size_t i) {
        if (i >= v_.size()) return nullptr;
        T* p = v_[i];
        v_.erase(v_.begin() + std::ptrdiff_t(i));
        return p;
    }
    void clear() {
        // Emptied first, so a destructor that looks back at the container sees no dead element.
        std::vector<T*> old;
        old.swap(v_);
        for (T* p : old) delete p;
    }
    void reserve(size_t n) { v_.reserve(n); }

    T* operator[](size_t i) const { return v_[i]; }
    T* back() const { return v_.back(); }
    size_t size() const { return v_.size(); }
    bool empty() const { return v_.empty(); }
    auto begin() const { return v_.begin(); }
    auto end() const { return v_.end(); }

private:
    std::vector<T*> v_;
};

// A map from K to V* that owns its values.
template <class K, class V>
class ptr_map_t {
public:
    ptr_map_t() = default;
    ptr_map_t(const ptr_map_t&) = delete;
    ptr_map_t& operator=(const ptr_map_t&) = delete;
    ~ptr_map_t() { clear(); }

    // Null when the key is absent.
    V* find(const K& k) const {
        const auto it = m_.find(k);
        return it == m_.end() ? nullptr : it->second;
    }
    // Takes ownership of v; a value already under k is deleted.
    V* set(const K& k, V* v) {
        try {
            auto [it, added] = m_.try_emplace(k, v);
            if (!added && it->second != v) {
                delete it->second;
                it->second = v;
            }
        } catch (...) {
            delete v;
            throw;
        }
        return v;
    }
    void erase(const K& k) {
        const auto it = m_.find(k);
        if (it == m_.end()) return;
        V* v = it->second;
        m_.erase(it);
        delete v;
    }
    void clear() {
        // The map is empty before any value is deleted, so a destructor that
        // looks the map up finds nothing half gone.
        std::vector<V*> doomed;
        doomed.reserve(m_.size());
        for (const auto& kv : m_) doomed.push_back(kv.second);
        m_.clear();
        for (V* v : doomed) delete v;
    }

    size_t size() const { return m_.size(); }
    bool empty() const { return m_.empty(); }
    auto begin() const { return m_.begin(); }
    auto end() const { return m_.end(); }

private:
    std::map<K, V*> m_;
};
