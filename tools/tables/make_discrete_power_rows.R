#!/usr/bin/env Rscript
# Writes tests/forms/data/discrete_power_rows.csv: the power window's
# scenario rows for the exact binomial test ("Proportion") and the pooled z
# test of two proportions ("2 proportions"), every expected number from R's
# own exact functions (pbinom, dbinom, binom.test, prop.test), never from
# the program:
#   - the binomial test's critical counts by walking pbinom's tails, its
#     power and level as sums of those tails;
#   - N by trying every N in turn from 1, and the N from which every larger
#     one reaches the power by trying every N over a wide window after it;
#   - the level for a power from the jumps of the test's levels (each tail
#     of H0's law at a count, doubled for two tails), the smallest that gives it;
#   - the two-proportion test's power by summing dbinom over every pair of
#     counts whose pooled z rejects (no boundary is assumed);
#   - Clopper-Pearson limits from binom.test, Wilson's from prop.test, and
#     Newcombe's difference interval from those.
# Usage: Rscript make_discrete_power_rows.R [output.csv]

args <- commandArgs(trailingOnly = TRUE)
here <- dirname(normalizePath(sub("--file=", "", grep("--file=", commandArgs(), value = TRUE))))
out <- if (length(args) > 0) args[1] else file.path(here, "..", "..", "tests", "forms", "data",
                                                     "discrete_power_rows.csv")

num <- function(x) if (length(x) == 0 || is.na(x)) "" else format(x, digits = 17, scientific = FALSE, trim = TRUE)

# ---- the exact binomial test ------------------------------------------------

# The smallest k with P(X >= k) <= a (n + 1 if none), the largest with
# P(X <= k) <= a (-1 if none), each found by walking the counts.
upper_critical <- function(n, p, a) {
  k <- qbinom(a, n, p, lower.tail = FALSE)
  while (k > 0 && pbinom(k - 2, n, p, lower.tail = FALSE) <= a) k <- k - 1
  while (k <= n && pbinom(k - 1, n, p, lower.tail = FALSE) > a) k <- k + 1
  k
}
lower_critical <- function(n, p, a) {
  k <- qbinom(a, n, p)
  while (k >= 0 && pbinom(k, n, p) > a) k <- k - 1
  while (k + 1 <= n && pbinom(k + 1, n, p) <= a) k <- k + 1
  k
}

binomial_test <- function(n, p0, p1, alpha, tails) {
  up <- p1 >= p0
  a <- if (tails == 2) alpha / 2 else alpha
  ku <- if (tails == 2 || up) upper_critical(n, p0, a) else n + 1
  kl <- if (tails == 2 || !up) lower_critical(n, p0, a) else -1
  above <- function(p) if (ku <= n) pbinom(ku - 1, n, p, lower.tail = FALSE) else 0
  below <- function(p) if (kl >= 0) pbinom(kl, n, p) else 0
  power <- above(p1) + below(p1)
  beta <- if (up) pbinom(ku - 1, n, p1) - below(p1) else pbinom(kl, n, p1, lower.tail = FALSE) - above(p1)
  words <- c(if (kl >= 0) paste0("X \u2264 ", kl), if (ku <= n) paste0(if (kl >= 0) "or \u2265 " else "X \u2265 ", ku))
  list(power = power, beta = beta, attained = above(p0) + below(p0), critical = paste(words, collapse = " "))
}

# The first N whose power reaches the target, and the first from which every
# N up to a window well past it does.
first_and_every <- function(power_at, target, from = 1, window = 400) {
  n <- from
  while (power_at(n) < target) n <- n + 1
  first <- n
  short <- first - 1
  for (m in (first + 1):(first + window)) if (power_at(m) < target) short <- m
  stopifnot(short < first + window - 50)  # the window reaches well past the last short N
  c(first, short + 1)
}

# ---- the pooled z test of two proportions -----------------------------------

# Both groups' counts, every pair: the chance that |z| (or z on the effect's
# side) reaches the normal's critical value.
two_proportions <- function(n1, n2, p1, p2, alpha, tails) {
  c <- qnorm(if (tails == 2) alpha / 2 else alpha, lower.tail = FALSE)
  x1 <- 0:n1; x2 <- 0:n2
  pooled <- outer(x1, x2, "+") / (n1 + n2)
  difference <- outer(-x1 / n1, x2 / n2, "+")
  se <- sqrt(pooled * (1 - pooled) * (1 / n1 + 1 / n2))
  z <- ifelse(se > 0, difference / se, 0)
  reject <- if (tails == 2) abs(z) >= c else if (p2 >= p1) z >= c else z <= -c
  chance <- function(q1, q2) sum(outer(dbinom(x1, n1, q1), dbinom(x2, n2, q2)) * reject)
  power <- chance(p1, p2)
  list(power = power, beta = 1 - power, attained = chance(p1, p1))
}

# ---- the rows ---------------------------------------------------------------

columns <- c("name", "design", "question", "effect", "p0", "p1", "alpha", "power", "n", "tails", "ratio",
             "observed", "observed_n", "observed_n1", "observed_x2", "observed_n2", "exp_power", "exp_beta",
             "exp_n", "exp_every", "exp_n1", "exp_n2", "exp_effect", "exp_alpha", "exp_attained",
             "exp_critical_text", "exp_observed", "exp_low_bound", "exp_level")
rows <- list()
row <- function(...) {
  r <- setNames(as.list(rep("", length(columns))), columns)
  v <- list(...)
  # What is typed, as a user types it; what is expected, to every digit.
  for (k in names(v)) r[[k]] <- if (startsWith(k, "exp_") || !is.numeric(v[[k]])) v[[k]] else format(v[[k]], digits = 15)
  for (k in names(v)) if (!startsWith(k, "exp_") && is.character(v[[k]]) && nchar(v[[k]]) > 0 && !is.na(suppressWarnings(as.numeric(v[[k]]))))
    r[[k]] <- format(as.numeric(v[[k]]), digits = 15)
  rows[[length(rows) + 1]] <<- r
}

# A proportion against p0: N (and the saw), the power at an N, the effect and
# the level for a power, one tail, a small p0, a result.
prop_n <- function(name, p0, p1, alpha, target, tails) {
  f <- function(n) binomial_test(n, p0, p1, alpha, tails)$power
  ns <- first_and_every(f, target)
  t <- binomial_test(ns[1], p0, p1, alpha, tails)
  row(name = name, design = "proportion", question = "n", effect = num(p1), p0 = num(p0), alpha = num(alpha),
      power = num(target), tails = tails, exp_n = ns[1], exp_every = if (ns[2] > ns[1]) ns[2] else "",
      exp_power = num(t$power), exp_beta = num(t$beta), exp_attained = num(t$attained),
      exp_critical_text = t$critical)
}
prop_n("prop_n_p65", 0.5, 0.65, 0.05, 0.8, 2)
prop_n("prop_n_1t_p35", 0.5, 0.35, 0.05, 0.8, 1)
prop_n("prop_n_small_p0", 0.02, 0.08, 0.05, 0.9, 2)

for (case in list(list("prop_power_n100", 0.5, 0.65, 0.05, 100, 2), list("prop_power_a01", 0.3, 0.45, 0.01, 250, 2),
                  list("prop_power_1t", 0.9, 0.97, 0.05, 60, 1))) {
  t <- binomial_test(case[[5]], case[[2]], case[[3]], case[[4]], case[[6]])
  row(name = case[[1]], design = "proportion", question = "power", effect = num(case[[3]]), p0 = num(case[[2]]),
      alpha = num(case[[4]]), n = case[[5]], tails = case[[6]], exp_power = num(t$power), exp_beta = num(t$beta),
      exp_attained = num(t$attained), exp_critical_text = t$critical)
}

# The smallest p1 above p0 whose power at N reaches the target (it rises with p1).
local({
  n <- 100; p0 <- 0.5; target <- 0.8
  p1 <- uniroot(function(p) binomial_test(n, p0, p, 0.05, 2)$power - target, c(p0, 1 - 1e-12), tol = 1e-15)$root
  row(name = "prop_effect", design = "proportion", question = "effect", p0 = num(p0), alpha = "0.05",
      power = num(target), n = n, tails = 2, exp_effect = num(p1))
})

# The smallest level whose power reaches the target: among the levels at which
# a critical count moves (twice a tail of H0's law, for two tails).
local({
  n <- 100; p0 <- 0.5; p1 <- 0.65; target <- 0.8
  jumps <- sort(unique(2 * c(pbinom(0:n, n, p0), pbinom(-1:(n - 1), n, p0, lower.tail = FALSE))))
  jumps <- jumps[jumps > 0 & jumps < 1]
  alpha <- jumps[which(sapply(jumps, function(a) binomial_test(n, p0, p1, a, 2)$power >= target))[1]]
  t <- binomial_test(n, p0, p1, alpha, 2)
  row(name = "prop_alpha", design = "proportion", question = "alpha", effect = num(p1), p0 = num(p0),
      power = num(target), n = n, tails = 2, exp_alpha = num(alpha), exp_power = num(t$power),
      exp_attained = num(t$attained), exp_critical_text = t$critical)
})

# A result: x successes of N, with its exact interval.
local({
  x <- 37; n <- 100; alpha <- 0.05
  ci <- binom.test(x, n, conf.level = 1 - alpha)$conf.int
  row(name = "prop_obs", design = "proportion", question = "power", effect = "0.65", p0 = "0.5", alpha = num(alpha),
      n = 100, tails = 2, observed = x, observed_n = n,
      exp_observed = paste("p", num(x / n), num(ci[1]), num(ci[2])), exp_low_bound = "0", exp_level = num(1 - alpha))
})

# Two proportions: the power at an N, N with its saw, one tail with unequal
# groups, a result.
two_row <- function(name, question, p1, p2, alpha, n1, n2, tails, ratio, target = NA, ns = NULL) {
  t <- two_proportions(n1, n2, p1, p2, alpha, tails)
  row(name = name, design = "proportions", question = question, p1 = num(p1), effect = num(p2), alpha = num(alpha),
      power = if (is.na(target)) "" else num(target), n = if (question == "n") "" else n1 + n2, tails = tails,
      ratio = num(ratio), exp_power = num(t$power), exp_beta = num(t$beta), exp_attained = num(t$attained),
      exp_n = n1 + n2, exp_n1 = n1, exp_n2 = n2,
      exp_every = if (!is.null(ns) && ns[2] > ns[1]) ns[2] else "")
}
two_row("two_power_100", "power", 0.5, 0.65, 0.05, 100, 100, 2, 1)
two_row("two_power_1t_r2", "power", 0.2, 0.35, 0.05, 40, 80, 1, 2)
local({
  # Find N steps n1 = m, n2 = ceil(ratio m): the design's own sequence.
  p1 <- 0.3; p2 <- 0.6; ratio <- 1
  f <- function(m) two_proportions(m, ceiling(ratio * m), p1, p2, 0.05, 2)$power
  ns <- first_and_every(f, 0.8, from = 2, window = 200)
  two_row("two_n", "n", p1, p2, 0.05, ns[1], ceiling(ratio * ns[1]), 2, ratio, target = 0.8,
          ns = ns + ceiling(ratio * ns))
})
local({
  x1 <- 37; n1 <- 100; x2 <- 52; n2 <- 100; alpha <- 0.05
  w1 <- prop.test(x1, n1, conf.level = 1 - alpha, correct = FALSE)$conf.int
  w2 <- prop.test(x2, n2, conf.level = 1 - alpha, correct = FALSE)$conf.int
  d <- x1 / n1 - x2 / n2
  low <- d - sqrt((x1 / n1 - w1[1])^2 + (w2[2] - x2 / n2)^2)
  high <- d + sqrt((w1[2] - x1 / n1)^2 + (x2 / n2 - w2[1])^2)
  h <- 2 * asin(sqrt(x1 / n1)) - 2 * asin(sqrt(x2 / n2))
  half <- qnorm(1 - alpha / 2) * sqrt(1 / n1 + 1 / n2)
  row(name = "two_obs", design = "proportions", question = "power", p1 = "0.5", effect = "0.65", alpha = num(alpha),
      n = 200, tails = 2, ratio = 1, observed = x1, observed_n1 = n1, observed_x2 = x2, observed_n2 = n2,
      exp_observed = paste0("p1-p2 ", num(d), " ", num(low), " ", num(high), ";h ", num(h), " ", num(h - half), " ",
                            num(h + half)),
      exp_low_bound = "0", exp_level = num(1 - alpha))
})

lines <- c(paste(columns, collapse = ","),
           sapply(rows, function(r) paste(unlist(r[columns]), collapse = ",")))
stopifnot(!any(grepl(",", unlist(lapply(rows, function(r) r[columns])), fixed = TRUE)))
con <- file(out, encoding = "UTF-8")
writeLines(lines, con)
close(con)
cat(length(rows), "rows written to", out, "\n")
