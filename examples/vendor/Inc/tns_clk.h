/**
  * @file    tns_clk.h
  * @brief   Clock outputs of the Tansy T12 family.
  *
  * The functions are documented in Src/tns_clk.c.
  */
#ifndef TNS_CLK_H
#define TNS_CLK_H

#include <stdint.h>

/** @defgroup TNS_CLK_Source Clock output sources
  * @{
  */
#define TNS_CLK_SRC_RC      0u  /*!< internal oscillator */
#define TNS_CLK_SRC_XTAL    1u  /*!< crystal */
#if defined(TNS_T12B)
#define TNS_CLK_SRC_PLL     2u  /*!< PLL, T12B only */
#endif
/**
  * @}
  */

void tns_clk_output(void *PORTx, uint16_t pins, uint32_t source);
void tns_clk_divide(uint32_t output, uint32_t divider);

#endif /* TNS_CLK_H */
