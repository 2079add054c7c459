#pragma once
// Little-endian fields of the save records through io::io_t: every record is
// written field by field, never as a whole struct, so the files read the same
// on every machine. Each call is one Write or Read of the stream.
#include <cstdint>

namespace io {
class io_t;
}
struct itm_slot_t;

bool le_put_i32s(io::io_t& f, const int32_t* v, int n);
bool le_put_i32(io::io_t& f, int32_t v);
bool le_put_f64(io::io_t& f, double v);
bool le_put_slots(io::io_t& f, const itm_slot_t* s, int n);

// False on a short read; the output is then unspecified.
bool le_get_i32s(io::io_t& f, int32_t* v, int n);
bool le_get_i32(io::io_t& f, int32_t& v);
bool le_get_f64(io::io_t& f, double& v);
bool le_get_slots(io::io_t& f, itm_slot_t* s, int n);
