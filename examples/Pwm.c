/**
 * @file   Pwm.c
 * @brief  Pulse-width modulation unit of the LX20 microcontroller.
 *
 * Each channel counts from 0 to its period and drives its outputs high
 * while the count is below the compare value.
 */

#include "Pwm.h"

#define PWM_BASE        0x40012000u
#define PWM_REG(ch, r)  (*(volatile unsigned int *)(PWM_BASE + 0x20u * (ch) + (r)))
#define PWM_CTRL(ch)    PWM_REG(ch, 0x00u)
#define PWM_PERIOD(ch)  PWM_REG(ch, 0x04u)
#define PWM_COMPARE(ch) PWM_REG(ch, 0x08u)

#define PWM_CTRL_RUN    0x100u
#define PWM_CLOCK_HZ    16000000u

/**
 * @brief  Stops all four channels and drives their outputs low.
 *         Call it once before any other PWM function.
 */
void PwmInit(void)
{
    int iChannel;

    for (iChannel = 0; iChannel < PWM_CHANNELS; ++iChannel) {
        PWM_CTRL(iChannel) = 0u;
        PWM_COMPARE(iChannel) = 0u;
    }
}

/**
 * @brief  Sets up a channel: the outputs it drives and its frequency.
 * @param iChannel :{0,1,2,3} the channel
 * @param uOutputs :{PWM_A|PWM_B|PWM_C} the outputs to drive, joined with |
 * @param iFreqHz  :{1-20000} frequency in Hz
 * @note   The duty cycle starts at one half; change it with PwmSetDuty.
 */
void PwmSetup(int iChannel, unsigned int uOutputs, int iFreqHz)
{
    unsigned int uPeriod = PWM_CLOCK_HZ / (unsigned int)iFreqHz;

    PWM_CTRL(iChannel) = 0u;
    PWM_PERIOD(iChannel) = uPeriod;
    PWM_COMPARE(iChannel) = uPeriod / 2u;
    PWM_CTRL(iChannel) = PWM_CTRL_RUN | (uOutputs & 0x07u);
}

/**
 * @brief void PwmSetDuty(int iChannel, unsigned char ucDuty)
 *        Sets the share of each period in which the outputs are high.
 * @param iChannel :{0,1,2,3}
 * @param ucDuty   :{0-255} 0 keeps them low, 255 keeps them high
 */
void PwmSetDuty(int iChannel, unsigned char ucDuty)
{
    PWM_COMPARE(iChannel) = PWM_PERIOD(iChannel) / 255u * ucDuty;
}

/**
 * @brief  Stops a channel and drives its outputs low.
 * @param iChannel :{0,1,2,3}
 */
void PwmStop(int iChannel)
{
    PWM_CTRL(iChannel) &= ~PWM_CTRL_RUN;
}

/**
 * @brief  Tells whether a channel is running.
 * @param iChannel :{0,1,2,3}
 * @return 1 while the channel runs, else 0
 */
int PwmIsRunning(int iChannel)
{
    return (PWM_CTRL(iChannel) & PWM_CTRL_RUN) != 0u;
}
