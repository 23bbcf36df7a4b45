#include "app/SaverActivity.h"

SaverResponse SaverActivity::mouseMoved(int x, int y) {
    if (!m_bClosesOnInput) {
        return SaverResponse::Nothing;
    }
    if (!m_bPositionKnown) {
        // Kept apart from the position itself: on a monitor left of or
        // above the primary, (-1, -1) is a real place.
        m_bPositionKnown = true;
        m_nLastMouseX = x;
        m_nLastMouseY = y;
        return SaverResponse::Nothing;
    }
    return x != m_nLastMouseX || y != m_nLastMouseY ? SaverResponse::Close : SaverResponse::Nothing;
}

SaverResponse SaverActivity::buttonPressed() const {
    return closing();
}

SaverResponse SaverActivity::keyPressed(bool bRightArrow) const {
    if (!m_bClosesOnInput) {
        return SaverResponse::Nothing;
    }
    return bRightArrow ? SaverResponse::NextImage : SaverResponse::Close;
}

SaverResponse SaverActivity::deactivated() const {
    return closing();
}
