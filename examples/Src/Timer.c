/**
  @file   Timer.c
  @brief  The three 16-bit timers of the LX20 microcontroller.

  The timers count the peripheral clock divided by their prescaler.
*/

#include "../include/Timer.h"

#define TMR_BASE(t)      (0x40014000u + 0x100u * (unsigned int)(t))
#define TMR_REG(t, r)    (*(volatile unsigned int *)(TMR_BASE(t) + (r)))
#define TMR_CTRL(t)      TMR_REG(t, 0x00u)
#define TMR_PRESCALE(t)  TMR_REG(t, 0x04u)
#define TMR_RELOAD(t)    TMR_REG(t, 0x08u)
#define TMR_COUNT(t)     TMR_REG(t, 0x0Cu)
#define TMR_IRQ(t)       TMR_REG(t, 0x10u)

#define TMR_CTRL_RUN     0x80u

/**
  @brief  Stops a timer and sets its prescaler.
  @param iTimer     :{TMR0,TMR1,TMR2}
  @param uPrescaler :{1,8,64,256,1024} clock cycles per count
*/
void TmrInit(int iTimer, unsigned int uPrescaler)
{
    TMR_CTRL(iTimer) = 0u;
    TMR_PRESCALE(iTimer) = uPrescaler - 1u;
}

/**
  @brief  Sets how a timer counts.
  @param iTimer :{TMR0,TMR1,TMR2}
  @param iMode  :{TMR_ONESHOT,TMR_PERIODIC,
                   TMR_CAPTURE,TMR_COMPARE}
  @note   Stop the timer before changing its mode.
*/
void TmrSetMode(int iTimer, int iMode)
{
    TMR_CTRL(iTimer) = (TMR_CTRL(iTimer) & ~3u) | (unsigned int)iMode;
}

/**
  @brief  Starts a timer.
  @param iTimer    :{TMR0,TMR1,TMR2}
  @param uPeriod   :{1-65535} counts per period
  @param iPriority :{0-7} interrupt priority, 0 is the highest
  @param uIrqFlags :{TMR_IRQ_NONE|TMR_IRQ_OVERFLOW|TMR_IRQ_COMPARE}
*/
void TmrStart(int iTimer, unsigned int uPeriod, int iPriority, unsigned int uIrqFlags)
{
    TMR_RELOAD(iTimer) = uPeriod;
    TMR_IRQ(iTimer) = ((unsigned int)iPriority << 4) | uIrqFlags;
    TMR_CTRL(iTimer) |= TMR_CTRL_RUN;
}

/**
  @brief  Reads the count of a timer.
  @param iTimer :{TMR0,TMR1,TMR2}
  @return the count, 0 to 65535
*/
unsigned int TmrRead(int iTimer)
{
    return TMR_COUNT(iTimer);
}

/**
  @brief  Stops a timer; its count is kept.
  @param iTimer :{TMR0,TMR1,TMR2}
*/
void TmrStop(int iTimer)
{
    TMR_CTRL(iTimer) &= ~TMR_CTRL_RUN;
}

/**
  @brief  Sets a timer up and starts it: clock, mode, period and interrupt.
  @param iTimer     :{TMR0,TMR1,TMR2}
  @param uPrescaler :{1,8,64,256,1024} clock cycles per count
  @param iMode      :{TMR_ONESHOT,TMR_PERIODIC,TMR_CAPTURE,TMR_COMPARE}
  @param uPeriod    :{1-65535} counts per period
  @param iPriority  :{0-7} interrupt priority, 0 is the highest
  @param uIrqFlags  :{TMR_IRQ_NONE|TMR_IRQ_OVERFLOW|TMR_IRQ_COMPARE}
*/
void TmrConfigure(int iTimer, unsigned int uPrescaler, int iMode, unsigned int uPeriod, int iPriority, unsigned int uIrqFlags)
{
    TmrInit(iTimer, uPrescaler);
    TmrSetMode(iTimer, iMode);
    TmrStart(iTimer, uPeriod, iPriority, uIrqFlags);
}
