/**
  * @file    tns_clk.c
  * @brief   Clock outputs of the Tansy T12 family.
  */
#include "tns_clk.h"

/**
  * @brief  Puts a clock on output pins.
  * @param  PORTx where x can be (A..D) to select the port on T12B chips or
  *               x can be (A..C) on T12A chips.
  * @param  pins the output pins.
  *         This parameter can be any combination of TNS_PIN_x where x can be (0..3).
  * @param  source the clock, a value of @ref TNS_CLK_Source
  * @retval None
  */
void tns_clk_output(void *PORTx, uint16_t pins, uint32_t source)
{
    (void)PORTx;
    (void)pins;
    (void)source;
}

/**
  * @brief  Sets the divider of a clock output.
  * @param  output the output.
  *         This parameter can be one of the following values:
  *           @arg TNS_CLK_OUT1: the first output
  *           @arg TNS_CLK_OUT2: the second output, available only for T12B devices
  * @param  divider 1 to 64
  * @retval None
  */
void tns_clk_divide(uint32_t output, uint32_t divider)
{
    (void)output;
    (void)divider;
}
