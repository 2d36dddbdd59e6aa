#pragma once
// The noncentral chi-square, F and t: tails, log-densities, upper quantiles
// and the noncentrality at which an upper tail takes a value, for a caller
// that wants them all (the power window, the tests).
#include "engine/noncentral_chi_square_density.h"
#include "engine/noncentral_chi_square_noncentrality.h"
#include "engine/noncentral_chi_square_quantile.h"
#include "engine/noncentral_chi_square_tails.h"
#include "engine/noncentral_f_density.h"
#include "engine/noncentral_f_noncentrality.h"
#include "engine/noncentral_f_quantile.h"
#include "engine/noncentral_f_tails.h"
#include "engine/noncentral_limits.h"
#include "engine/noncentral_t_density.h"
#include "engine/noncentral_t_noncentrality.h"
#include "engine/noncentral_t_quantile.h"
#include "engine/noncentral_t_tails.h"
#include "engine/noncentrality.h"
