#pragma once
// A global or a table row set for one scope: the old value comes back at its end.
template <class T>
class scoped_set_t {
public:
    scoped_set_t(T& var, T value) : var_(var), old_(var) { var = value; }
    ~scoped_set_t() { var_ = old_; }
    scoped_set_t(const scoped_set_t&) = delete;
    scoped_set_t& operator=(const scoped_set_t&) = delete;

private:
    T& var_;
    T old_;
};
