<!--#include virtual="comune.inc"-->
<!--#include virtual="membri.inc"-->
<!--#include virtual="ordini.inc"-->
<%
// A signed-in agent's customers, narrowed by the start of their name,
// postcode, town, province or phone, a page at a time; choosing one signs
// the agent in for him.
var agente = area.ControlloAgenteCollegato();
Session.LunghezzaElencoClientiAgente = 10;
var clienti = [];
var pagine = "";
if (agente && PaginaValida() && area.ApriElencoClientiAgente()) {
    do {
        clienti.push({ id: area.IDUtente, ragioneSociale: String(area.RagioneSociale),
                       nome: String(area.Cognome) + " " + String(area.Nome), localita: String(area.Localita),
                       provincia: String(area.Provincia), telefono: String(area.Telefono) });
    } while (clienti.length < area.LunghezzaElencoClienti && area.LeggiClienteAgenteSuccessivo());
    pagine = Pagine(area.PaginaCorrente, area.TotalePagine, area.ControlloPrimaPaginaElencoClienti(),
                    area.ControlloUltimaPaginaElencoClienti(), "/clienti.asp");
    area.ChiudiElencoClientiAgente();
}
var filtri = [
    { nome: "FiltroRagioneSociale", codice: "PMTRAGIONESOCIALE", testo: "Ragione sociale" },
    { nome: "FiltroCap", codice: "PMTCAP", testo: "CAP" },
    { nome: "FiltroLocalita", codice: "PMTLOCALITA", testo: "Località" },
    { nome: "FiltroProvincia", codice: "PMTPROVINCIA", testo: "Provincia" },
    { nome: "FiltroTelefono", codice: "PMTTELEFONO", testo: "Telefono" }
];
var paginaCorrente = "/clienti.asp";
var titoloPagina = T("PMTIMIEICLIENTI", "I miei clienti");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione clienti-agente">
  <h1><%= H(titoloPagina) %></h1>
<% if (!agente) { %>
  <p class="avviso" id="solo-agenti"><%= H(T("PMTSOLOAGENTI", "Riservato agli agenti.")) %></p>
  <p><a class="bottone" href="/accesso.asp"><%= H(T("PMTACCEDI", "Accedi")) %></a></p>
<% } else { %>
  <form class="modulo-ricerca filtri-clienti" method="post" action="/clienti.asp" id="modulo-filtri">
<%   for (var f = 0; f < filtri.length; ++f) { %>
    <label><%= H(T(filtri[f].codice, filtri[f].testo)) %> <input type="text" name="<%= filtri[f].nome %>" maxlength="80" value="<%= H(area[filtri[f].nome]) %>"></label>
<%   } %>
    <button class="bottone" type="submit"><%= H(T("PMTFILTRA", "Filtra")) %></button>
  </form>
<%   if (clienti.length === 0) { %>
  <p class="avviso" id="nessun-cliente"><%= H(T("PMTNESSUNCLIENTE", "Nessun cliente trovato.")) %></p>
<%   } else { %>
  <table class="righe-carrello elenco-clienti" id="elenco-clienti">
    <thead>
      <tr><th scope="col"><%= H(T("PMTCLIENTE", "Cliente")) %></th><th scope="col"><%= H(T("PMTLOCALITA", "Località")) %></th><th scope="col"><%= H(T("PMTTELEFONO", "Telefono")) %></th><th scope="col"></th></tr>
    </thead>
    <tbody>
<%     for (var i = 0; i < clienti.length; ++i) { %>
      <tr class="riga-cliente" data-cliente="<%= clienti[i].id %>">
        <td><strong><%= H(clienti[i].ragioneSociale) %></strong><br><%= H(clienti[i].nome) %></td>
        <td><%= H(clienti[i].localita) %><%= clienti[i].provincia !== "" ? " (" + H(clienti[i].provincia) + ")" : "" %></td>
        <td><%= H(clienti[i].telefono) %></td>
        <td><form method="post" action="/accesso.asp"><input type="hidden" name="IDUtente" value="<%= clienti[i].id %>"><button class="bottone" type="submit"><%= H(T("PMTAGISCIPER", "Scegli")) %></button></form></td>
      </tr>
<%     } %>
    </tbody>
  </table>
  <%= pagine %>
<%   } %>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% area.Free(); ordine.Free(); %>
