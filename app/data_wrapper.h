#pragma once
// Polymorphic base of the SDL resource wrappers (textures, fonts), so owners
// can delete any of them through one pointer type.

class data_wrapper_t {
public:
    data_wrapper_t() = default;
    data_wrapper_t(const data_wrapper_t&) = delete;
    data_wrapper_t& operator=(const data_wrapper_t&) = delete;
    virtual ~data_wrapper_t() = default;
};
