#pragma once
// Wires the description builders into the layers below, which call them
// through hooks: the power records' tooltip and description slots, the
// tooltip's reference resolver, and the texts the battle engine asks of the
// screens (gold, item references, unit captions, power headings). Start-up
// calls it once; calling it again changes nothing.
namespace txt {

void install_text_hooks();

}  // namespace txt
