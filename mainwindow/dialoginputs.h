// The renderer's live inputs taken from the two dialogs that stay alive for
// the whole run: the line-set editor's colours and the configuration's
// subdivision limits, read at the moment the renderer asks.
#pragma once

#include "config/frmconfig.h"
#include "linesets/frmstyles.h"
#include "render/liveinputs.h"

namespace lattora {

class DialogInputs : public LiveInputs {
public:
    DialogInputs(const FrmStyles& styles, const FrmConfig& config)
        : styles_(styles), config_(config) {}
    DialogInputs(const FrmStyles&&, const FrmConfig&) = delete;
    DialogInputs(const FrmStyles&, const FrmConfig&&) = delete;

    LineColors currentLineColors() const override { return styles_.currentLineColors(); }
    SubdivisionLimits subdivisionLimits() const override { return config_.subdivisionLimits(); }

private:
    const FrmStyles& styles_;
    const FrmConfig& config_;
};

}  // namespace lattora
