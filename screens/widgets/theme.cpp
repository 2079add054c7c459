#include "screens/widgets/theme.h"

#include "ui/btn.h"

void style_set_btn(btn_t* b) {
    b->set_clrs(&theme::btn[0], &theme::btn[1], &theme::btn[2], &theme::btn[3]);
    b->checked_clr = theme::btn_checked;
    b->text_clr = theme::text;
}
